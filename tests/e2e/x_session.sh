# Shared by the end-to-end scripts that run the game under an X server of
# their own: the tool check, the scratch folder, process checks, the X
# server's start and the bounded wait. Sourced; the script defines fail MESSAGE and sets out (the
# logs) before it calls start_xvfb.

# True while the process runs (one that ended but was not reaped yet counts
# as ended).
alive() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}

# Ends one process started here: politely, then firmly after five seconds.
stop() {
  local pid=$1
  [ -n "$pid" ] || return 0
  if alive "$pid"; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
      alive "$pid" || break
      sleep 0.1
    done
    alive "$pid" && kill -9 "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null || true
}

# Fails unless every tool named is installed.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null ||
      fail "'$tool' is not installed (bash scripts/install-deps.sh installs it)"
  done
}

# Sets work to a new scratch folder with the game's own config, home and
# runtime folders in it.
make_work() {
  work=$(mktemp -d)
  mkdir -p "$work/config" "$work/home" "$work/runtime"
  chmod 700 "$work/runtime"
}

# Starts Xvfb on the first free display, told through a file descriptor;
# sets xvfb_pid and exports DISPLAY. Fails after ten seconds.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$work/display" >"$out/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    alive "$xvfb_pid" || fail "Xvfb did not start (see $out/xvfb.log)"
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "no X server within 10s"
  DISPLAY=":$(head -n 1 "$work/display")"
  export DISPLAY
}

# wait_for WHAT COMMAND...: retries the command until it succeeds; fails
# after wait_limit seconds, or at once when the game (app_pid) has ended
# meanwhile.
wait_for() {
  local what=$1
  shift
  local deadline=$((SECONDS + wait_limit))
  until "$@"; do
    if [ -n "$app_pid" ] && ! alive "$app_pid"; then
      fail "tavelo ended while waiting for $what"
    fi
    [ "$SECONDS" -lt "$deadline" ] || fail "no $what within ${wait_limit}s"
    sleep 0.1
  done
}

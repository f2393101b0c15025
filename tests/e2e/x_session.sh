# Shared by the end-to-end scripts that run the game under an X server of
# their own: the arguments, the messages and failures, the end of the run,
# the tool check, the scratch folder, process checks and the X server's
# start, and the game's start and close. Sourced first; a script may set
# e2e_name (the prefix of its messages) before, and defines press KEY and
# sets wait_limit (seconds) and root_window before it calls these; the
# game's process id is in app_pid and its main window in window.

e2e_name=${e2e_name:-e2e}
xvfb_pid=
app_pid=
window=
work=

# take_args NAME... -- "$@": the script's arguments into the variables named
# (tavelo: the game's binary, probe: e2e_probe's, out: the output folder), in
# that order; with another number of arguments the usage line, status 2.
take_args() {
  local names=() usage=() name
  while [ "$1" != -- ]; do
    names+=("$1")
    case $1 in
      tavelo) usage+=(TAVELO_BINARY) ;;
      probe) usage+=(E2E_PROBE) ;;
      out) usage+=(OUTPUT_DIR) ;;
    esac
    shift
  done
  shift
  if [ $# -ne ${#names[@]} ]; then
    echo "usage: $0 ${usage[*]}" >&2
    exit 2
  fi
  for name in "${names[@]}"; do
    printf -v "$name" '%s' "$1"
    shift
  done
}

note() { echo "$e2e_name: $*"; }

# fail MESSAGE: says what did not happen, keeps a picture of the screen,
# lets the script add what it knows (its function on_failure, if any) and
# shows the end of every log in the output folder but quiet_log; status 1.
fail() {
  echo "$e2e_name: FAILED: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    [ -n "$window" ] &&
      echo "$e2e_name: caption: $(xdotool getwindowname "$window" 2>/dev/null || echo '(no window)')" >&2
    import -window root "$out/failure.png" 2>/dev/null || true
  fi
  if declare -F on_failure >/dev/null; then on_failure; fi
  local log
  for log in "$out"/*.log; do
    [ "$log" = "${quiet_log:-}" ] && continue
    [ -s "$log" ] && { echo "$e2e_name: $log:" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

# end_at_exit: at the script's end, however it ends, the game and the X
# server started here are ended and the scratch folder removed; a command
# that fails fails the run, naming its line.
end_at_exit() {
  trap end_session EXIT
  set -E
  trap 'fail "line $LINENO: $BASH_COMMAND failed"' ERR
}
end_session() {
  trap - ERR
  stop "$app_pid"
  stop "$xvfb_pid"
  if [ -n "$work" ]; then rm -rf "$work"; fi
}

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

# wait_for WHAT COMMAND...: retries the command until it succeeds; fails
# after wait_limit seconds, or at once when the game has ended meanwhile.
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
# sets xvfb_pid and exports DISPLAY. Fails after ten seconds. The screen is
# 1280x1024x24 unless given.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset \
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

# start_game LOG_NAME [ARGUMENT...]: starts the game with the scratch folder's
# settings and waits for its window.
start_game() {
  env -u GTK_THEME -u WAYLAND_DISPLAY -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR \
    -u QT_SCREEN_SCALE_FACTORS -u QT_QPA_PLATFORMTHEME \
    QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    "$tavelo" "${@:2}" >"$out/tavelo-$1.log" 2>&1 &
  app_pid=$!
  window=
  wait_for "game window" find_window
}

find_window() {
  window=$(xdotool search --onlyvisible --pid "$app_pid" --name '^TAVELO ' 2>/dev/null |
    head -n 1 || true)
  [ -n "$window" ]
}

# The visible windows of the game other than the main one (a question box, a
# pop-up menu); the first of them in $popup. (A search that matches every
# name also lists the root window.)
find_popup() {
  popup=$(xdotool search --onlyvisible --pid "$app_pid" --name '.' 2>/dev/null |
    grep -vx -e "$window" -e "$root_window" | head -n 1 || true)
  [ -n "$popup" ]
}
no_popup() { ! find_popup; }

# read_geometry WINDOW: the window's place and size in win_x, win_y, win_w, win_h.
read_geometry() {
  local line
  while read -r line; do
    case $line in
      X=*) win_x=${line#X=} ;;
      Y=*) win_y=${line#Y=} ;;
      WIDTH=*) win_w=${line#WIDTH=} ;;
      HEIGHT=*) win_h=${line#HEIGHT=} ;;
    esac
  done < <(xdotool getwindowgeometry --shell "$1")
}

# shot_window WINDOW NAME [SETTLE]: a PNG of the window in the output folder
# and a PPM for the probe, after SETTLE seconds (0.3) for the last paint.
shot_window() {
  sleep "${3:-0.3}"
  import -window "$1" "$out/$2.png" || fail "could not take screenshot $2"
  convert "$out/$2.png" "$work/$2.ppm" || fail "could not convert screenshot $2"
}

# close_game: Alt+F4, then the process must end by itself with status 0.
close_game() {
  press alt+F4
  local pid=$app_pid
  app_pid=
  local deadline=$((SECONDS + wait_limit))
  while alive "$pid"; do
    [ "$SECONDS" -lt "$deadline" ] || {
      app_pid=$pid
      fail "tavelo did not end within ${wait_limit}s of Alt+F4"
    }
    sleep 0.1
  done
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "tavelo ended with status $status after Alt+F4"
}

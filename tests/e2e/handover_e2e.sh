#!/usr/bin/env bash
# Hands twenty files to a running game at once, as twenty later starts of
# "tavelo FILE" do when a file manager opens many puzzles: the game must stay
# alive, open every puzzle one after another (each in a size of its own) and
# refuse every unusable file with a message, and the session's games must
# all be stored at the close.
#
# usage: handover_e2e.sh TAVELO_BINARY OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/x_session.sh"
take_args tavelo out -- "$@"
wait_limit=30 # seconds for anything to appear or to happen
end_at_exit

popup_has_focus() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$popup" ] && return 0
  xdotool windowfocus "$popup" 2>/dev/null || true
  return 1
}

# answer_box: Return into the box in $popup until it goes (a window brought
# to the front by a hand-over may take the keyboard from it meanwhile).
answer_box() {
  local box=$popup
  for _ in $(seq 10); do
    wait_for "keyboard focus in the message box" popup_has_focus
    sleep 0.3 # the box sees its focus a moment after the server does
    xdotool key Return
    for _ in $(seq 20); do
      gone_box "$box" && return 0
      sleep 0.1
    done
  done
  fail "the message box did not close on Return"
}
# gone_box WINDOW: that box is no longer shown (another may be).
gone_box() { ! find_popup || [ "$popup" != "$1" ]; }

press() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key "$1"
}

. "$(dirname "$0")/x_session.sh"

need_tools Xvfb xdotool xwininfo import
[ -x "$tavelo" ] || fail "no game binary at $tavelo"
rm -rf "$out"
mkdir -p "$out"
make_work
start_xvfb
root_window=$(($(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-fA-F]*\).*/\1/p')))
start_game running
note "the game runs on $DISPLAY"

# Eighteen full rectangles of sizes the game does not have (11x3 ... 28x3)
# and two files that are no puzzle.
mkdir -p "$work/files"
files=()
for ((w = 11; w <= 28; ++w)); do
  clues="${w}x3:3" # the columns, then the rows
  for ((c = 1; c < w; ++c)); do clues+="/3"; done
  clues+="/$w/$w/$w"
  printf '%s\n' "$clues" >"$work/files/p$w.txt"
  files+=("$work/files/p$w.txt")
done
printf 'no puzzle here\n' >"$work/files/bad1.txt"
printf '5x5:9/9/9/9/9/9/9/9/9/9\n' >"$work/files/bad2.txt"
files+=("$work/files/bad1.txt" "$work/files/bad2.txt")

starts=()
for file in "${files[@]}"; do
  env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    "$tavelo" "$file" >>"$out/tavelo-handover.log" 2>&1 &
  starts+=($!)
done
for pid in "${starts[@]}"; do
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "a start that handed its file over ended with status $status"
done
note "twenty starts handed their files over"

# The refusals wait for an answer each; the puzzles open in between.
refusals=0
quiet_since=$SECONDS
deadline=$((SECONDS + 60))
while [ $((SECONDS - quiet_since)) -lt 3 ]; do
  alive "$app_pid" || fail "the game ended while it opened the handed files"
  [ "$SECONDS" -lt "$deadline" ] || fail "the handed files were not all done within 60s"
  if find_popup; then
    refusals=$((refusals + 1))
    import -window root "$out/refusal-$refusals.png" 2>/dev/null || true
    answer_box
    quiet_since=$SECONDS
  fi
  sleep 0.2
done
[ "$refusals" -eq 2 ] || fail "$refusals messages instead of 2 refusals"
close_game
ini="$work/config/tavelo/x64/settings/app.ini"
state=$(sed -e 's/\r$//' "$ini" | sed -n 's/^state=//p')
IFS='|' read -r -a codes <<<"$state"
[ "${#codes[@]}" -eq 23 ] || fail "app.ini holds ${#codes[@]} games, not the 5 sizes and 18 opened"
note "passed: 18 puzzles opened, 2 files refused, the game alive and everything stored"

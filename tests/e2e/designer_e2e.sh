#!/usr/bin/env bash
# Designs a puzzle in the real game as a player would, on an X server of its
# own, through real X pointer and key input:
#  1. the game menu (F10) switches the game to 5x5; Ctrl+E opens the
#     designer, Ctrl+G takes the 5x5 puzzle's picture there and Ctrl+Delete
#     clears it;
#  2. a 5x5 arrow is drawn there with clicks and one drag; the designer's
#     verdict (written to the debug output) says line-solvable;
#  3. Ctrl+P plays it: the game shows it in its 5x5 slot, the caption counts
#     the arrow's cells;
#  4. the arrow is filled in on the game's board and the caption shows it
#     solved; the closed game keeps the design in app.ini.
# Every wait is bounded; a failure says what did not happen and leaves
# screenshots and logs in the output folder. Only the processes started here
# are ended, by their process ids.
#
# usage: designer_e2e.sh TAVELO_BINARY E2E_PROBE OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/x_session.sh"
take_args tavelo probe out -- "$@"
wait_limit=20 # seconds for anything to appear or to happen
end_at_exit

need_tools Xvfb xdotool xwininfo import convert
[ -x "$tavelo" ] || fail "no game binary at $tavelo"
[ -x "$probe" ] || fail "no probe binary at $probe"

rm -rf "$out"
mkdir -p "$out"
make_work
start_xvfb
note "X server on $DISPLAY"

# The arrow, row by row.
arrow=("..#.." ".###." "#####" "..#.." "..#..")
settings="$work/config/tavelo/x64/settings"

env -u GTK_THEME -u WAYLAND_DISPLAY -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR \
  -u QT_SCREEN_SCALE_FACTORS -u QT_QPA_PLATFORMTHEME \
  QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" HOME="$work/home" \
  XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
  "$tavelo" >"$out/tavelo.log" 2>&1 &
app_pid=$!

find_named() { # find_named PATTERN: the first visible window of the game so named
  found=$(xdotool search --all --onlyvisible --pid "$app_pid" --name "$1" 2>/dev/null | head -n 1 || true)
  [ -n "$found" ]
}
find_main() { find_named '^TAVELO ' && window=$found; }
wait_for "game window" find_main
caption() { xdotool getwindowname "$window"; }

# locate_board WINDOW NAME: the board's corners in the window, from a shot.
locate_board() {
  shot_window "$1" "$2"
  local found
  found=$("$probe" board "$work/$2.ppm") || fail "no board found in $out/$2.png"
  read -r board_left board_top board_right board_bottom <<<"$found"
  read_geometry "$1"
}
cell_x() { echo $((win_x + board_left + (2 * $1 + 1) * (board_right - board_left + 1) / 10)); }
cell_y() { echo $((win_y + board_top + (2 * $1 + 1) * (board_bottom - board_top + 1) / 10)); }
point_at_cell() {
  xdotool mousemove --sync "$(cell_x "$1")" "$(cell_y "$2")"
  sleep 0.1
}
click_cell() {
  point_at_cell "$1" "$2"
  xdotool click 1
}

# Fills the arrow's cells: row 2 in one drag, the others one click each.
draw_arrow() {
  local x y
  point_at_cell 0 2
  xdotool mousedown 1
  for x in 1 2 3 4; do point_at_cell "$x" 2; done
  xdotool mouseup 1
  for y in 0 1 3 4; do
    for x in 0 1 2 3 4; do
      [ "${arrow[$y]:$x:1}" = "#" ] && click_cell "$x" "$y"
    done
  done
  return 0
}

# --- 1. The designer with an empty 5x5 board. ---
xdotool windowfocus --sync "$window" 2>/dev/null || true
find_menu() { xdotool search --onlyvisible --pid "$app_pid" --name '.' 2>/dev/null | grep -qvx -e "$window" -e "$root_window"; }
root_window=$(($(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-fA-F]*\).*/\1/p')))
xdotool key F10
wait_for "game menu" find_menu
xdotool key Down Down Return # the second slot, 5x5
in_5x5() { [[ "$(caption)" =~ \ -\ 5x5\ -\ 0\ /\ [0-9]+$ ]]; }
wait_for "the 5x5 slot (caption: $(caption))" in_5x5
xdotool key ctrl+e
find_designer() { find_named '^Puzzle designer$' && designer=$found; }
wait_for "designer window" find_designer
note "designer window $designer"
sleep 0.5
xdotool windowfocus --sync "$designer" 2>/dev/null || true
verdicts() { grep -c 'designer verdict: ' "$out/tavelo.log" || true; }
wait_for "the verdict of the first board" grep -q 'designer verdict: ' "$out/tavelo.log"
xdotool key ctrl+g
sleep 0.3
xdotool key ctrl+Delete
wait_for "the verdict of the empty 5x5 board" grep -q 'designer verdict: line-solvable, grade 1, 0 open' "$out/tavelo.log"
locate_board "$designer" designer-empty
note "designer board at $board_left,$board_top-$board_right,$board_bottom"

# --- 2. The arrow drawn; its verdict. ---
before=$(verdicts)
draw_arrow
newer_verdict() { [ "$(verdicts)" -gt "$before" ]; }
wait_for "a verdict after drawing" newer_verdict
last_verdict() { grep 'designer verdict: ' "$out/tavelo.log" | tail -n 1; }
solvable_now() { last_verdict | grep -q 'line-solvable, grade [1-5], 0 open cells'; }
wait_for "the arrow judged line-solvable (last: $(last_verdict))" solvable_now
import -window "$designer" "$out/designer-arrow.png" || true
note "$(last_verdict)"

# --- 3. Play it. ---
xdotool key ctrl+p
in_slot() { [[ "$(caption)" =~ \ -\ 5x5\ -\ 0\ /\ 11$ ]]; }
wait_for "the arrow in the 5x5 slot (caption: $(caption))" in_slot

# --- 4. Solve it on the game's board. ---
xdotool windowfocus --sync "$window" 2>/dev/null || true
locate_board "$window" game-arrow
for y in 0 1 2 3 4; do
  for x in 0 1 2 3 4; do
    [ "${arrow[$y]:$x:1}" = "#" ] && click_cell "$x" "$y"
  done
done
solved() { [[ "$(caption)" =~ \ -\ 5x5\ -\ 11\ /\ 11$ ]]; }
wait_for "the arrow solved (caption: $(caption))" solved
import -window "$window" "$out/game-solved.png" || true

# The window may be gone before xdotool returns; the wait below tells.
xdotool key --window "$window" alt+F4 2>/dev/null || kill "$app_pid" 2>/dev/null || true
for _ in $(seq 100); do
  alive "$app_pid" || break
  sleep 0.1
done
alive "$app_pid" && fail "the game did not close"
app_pid=
design="5x5:$(printf '%s' "${arrow[@]}")"
grep -q "^designer=$design" "$settings/app.ini" ||
  fail "app.ini does not keep the design $design"
note "passed"

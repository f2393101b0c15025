#!/usr/bin/env bash
# Plays the real game as a player would, on an X server of its own and with
# an empty settings folder, through real X pointer and key input:
#  1. first start: the 10x10 slot is shown; a left click fills a cell, a right
#     click crosses one, a drag fills a run; C checks; Ctrl+Z takes the drag
#     back and Ctrl+Shift+Z puts it again; N asked with No keeps the board;
#     after that question, the settings dialog and the about window close,
#     the keys reach the game again without anything handing it the keyboard;
#  2. the game menu switches to 5x5; a click there, then N answered with Yes
#     starts a new puzzle, played with one fill and one cross;
#  3. Alt+F4 closes the window; app.ini holds its keys, the 5x5 slot as the
#     active one, and five state codes that decode to exactly the boards
#     played (the three other slots untouched);
#  4. a second start shows the same caption, window bounds and board pixels,
#     and closes cleanly again;
#  5. a third start: the 3x3 puzzle is solved with the keyboard only (arrows,
#     Home and Space), and the celebration starts without Check: the board
#     keeps changing by itself; its solution is stored at the close;
#  6. a fourth start as "tavelo FILE" with a .non file of a size the game does
#     not have: the puzzle opens in a new 6x4 size, is solved with the keyboard,
#     the celebration runs; a later start given another file by a relative
#     path from another folder hands it to the running window, which opens it
#     in a size of its own; both new sizes are stored beside the five.
# Every wait is bounded; a failure says what did not happen and leaves
# screenshots and logs in the output folder. Only the processes started here
# are ended, by their process ids.
#
# usage: play_e2e.sh TAVELO_BINARY E2E_PROBE OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/x_session.sh"
take_args tavelo probe out -- "$@"
wait_limit=20 # seconds for anything to appear or to happen
end_at_exit

need_tools Xvfb xdotool xwininfo import convert compare
[ -x "$tavelo" ] || fail "no game binary at $tavelo"
[ -x "$probe" ] || fail "no probe binary at $probe"

rm -rf "$out"
mkdir -p "$out"
make_work

# --- The X server: the first free display, told through a file descriptor. ---
start_xvfb
note "X server on $DISPLAY"
root_window=$(($(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-fA-F]*\).*/\1/p')))

# --- The game process and its window (x_session.sh starts it). ---
caption() { xdotool getwindowname "$window"; }
caption_is() { [ "$(caption)" = "$1" ]; }
# Waits until the caption ends in "- SLOT - FILLED / SOLUTION" and sets
# solution_filled from it.
wait_counts() {
  local pattern=" - $1 - $2 / [0-9]+\$"
  caption_matches() { [[ "$(caption)" =~ $pattern ]]; }
  wait_for "caption ending in '- $1 - $2 / N'" caption_matches
  solution_filled=${BASH_REMATCH[0]##* }
}

# shot NAME: the game window in the output folder and for the probe.
shot() { shot_window "$window" "$1"; }

# locate_board SHOT COLUMNS ROWS: board_left/top/right/bottom within the
# window, and the board's size in cells.
locate_board() {
  local found
  found=$("$probe" board "$work/$1.ppm") || fail "no board found in $out/$1.png"
  read -r board_left board_top board_right board_bottom <<<"$found"
  board_cols=$2
  board_rows=$3
  read_geometry "$window"
}
cell_x() { echo $((win_x + board_left + (2 * $1 + 1) * (board_right - board_left + 1) / (2 * board_cols))); }
cell_y() { echo $((win_y + board_top + (2 * $1 + 1) * (board_bottom - board_top + 1) / (2 * board_rows))); }

point_at_cell() {
  xdotool mousemove --sync "$(cell_x "$1")" "$(cell_y "$2")"
  sleep 0.1
}
# click_cell COLUMN ROW BUTTON (1 left, 3 right)
click_cell() {
  point_at_cell "$1" "$2"
  xdotool click "$3"
}
# drag_row ROW FROM TO: a left-button drag along a row, cell by cell, slowly
# enough that every cell on the way is entered.
drag_row() {
  local row=$1 column
  point_at_cell "$2" "$row"
  xdotool mousedown 1
  for ((column = $2 + 1; column <= $3; ++column)); do point_at_cell "$column" "$row"; done
  xdotool mouseup 1
}
# The pointer to the empty end of the button bar, off the board.
point_away() {
  read_geometry "$window"
  xdotool mousemove --sync $((win_x + 4)) $((win_y + win_h - 4))
  sleep 0.1
}

press() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key "$1"
}

# answer_question KEY: waits for the question box, answers it, waits for it
# to go.
answer_question() {
  wait_for "question box" find_popup
  wait_for "keyboard focus in the question box" popup_has_focus
  sleep 0.3 # the box sees its focus a moment after the server does
  xdotool key "$1"
  wait_for "question box to close" no_popup
}
popup_has_focus() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$popup" ] && return 0
  xdotool windowfocus "$popup" 2>/dev/null || true
  return 1
}

# After a box or dialog closes, the keyboard must be back with the game by
# itself: there is no window manager here to hand it back, and nothing in
# these checks forces it (unlike press).
window_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
expect_keyboard_back() {
  wait_for "keyboard back with the game after $1" window_has_focus
  xdotool key ctrl+z
  wait_counts 10x10 1
  xdotool key ctrl+shift+z
  wait_counts 10x10 6
}

# close_dialog TITLE KEY: waits for the dialog of that title to have the
# keyboard, closes it with KEY, waits for it to go.
close_dialog() {
  find_dialog() {
    popup=$(xdotool search --onlyvisible --pid "$app_pid" --name "^$1\$" 2>/dev/null |
      grep -vx -e "$window" -e "$root_window" | head -n 1 || true)
    [ -n "$popup" ]
  }
  wait_for "dialog '$1'" find_dialog "$1"
  wait_for "keyboard focus in the dialog" popup_has_focus
  sleep 0.3
  xdotool key "$2"
  wait_for "dialog to close" no_popup
}

# open_game_menu: opens the game menu with its key, F10. (The Game... button's
# place depends on the room the clock and grade take, so it is not clicked.)
open_game_menu() {
  xdotool key F10
  wait_for "game menu" find_popup
}

# switch_slot INDEX: opens the game menu and picks the INDEX-th slot (1 = the
# first) with the arrow keys.
switch_slot() {
  open_game_menu
  local i
  for ((i = 0; i < $1; ++i)); do
    xdotool key Down
    sleep 0.05
  done
  xdotool key Return
  wait_for "game menu to close" no_popup
}

# --- 1. First start: 10x10, fill, cross, drag, check, undo, redo, New/No. ---
start_game first
wait_counts 10x10 0
solution_10=$solution_filled
note "first start shows 10x10 ($(caption))"
point_away
shot first-start
locate_board first-start 10 10
note "board at ${board_left},${board_top} - ${board_right},${board_bottom} in the window"

click_cell 0 0 1
wait_counts 10x10 1
click_cell 1 0 3
drag_row 2 2 6
wait_counts 10x10 6
point_away
press c
sleep 1 # the flash or the shake runs its course
wait_counts 10x10 6
press ctrl+z
wait_counts 10x10 1
press ctrl+shift+z
wait_counts 10x10 6
press n
answer_question n
wait_counts 10x10 6
expect_keyboard_back "the question of New"
xdotool key F2
close_dialog Settings Escape
expect_keyboard_back "the settings dialog"
xdotool key F6
close_dialog Statistics Escape
expect_keyboard_back "the statistics window"
open_game_menu
xdotool key Up Up Return # About, above Exit at the end of the menu
close_dialog About Return
expect_keyboard_back "the about window"
shot played-10x10

# --- 2. The game menu to 5x5; New answered with Yes; play the new puzzle. ---
switch_slot 2
wait_counts 5x5 0
point_away
shot first-5x5
locate_board first-5x5 5 5
click_cell 2 2 1
wait_counts 5x5 1
point_away
press n
answer_question y
wait_counts 5x5 0
shot new-5x5 # new clues may move the board
locate_board new-5x5 5 5
click_cell 0 0 1
wait_counts 5x5 1
click_cell 4 4 3
solution_5=$solution_filled
point_away
shot before-close
locate_board before-close 5 5
first_board="$board_left $board_top $board_right $board_bottom"
final_caption=$(caption)
read_geometry "$window"
first_geometry="$win_x $win_y $win_w $win_h"

# --- 3. Close; check app.ini. ---
close_game
note "closed with Alt+F4"
ini="$work/config/tavelo/x64/settings/app.ini"
[ -f "$ini" ] || fail "no settings file at \$XDG_CONFIG_HOME/tavelo/x64/settings/app.ini"
cp "$ini" "$out/app.ini"
# The lines of app.ini without their line ends (CR LF) and byte-order mark.
ini_lines() { sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$ini"; }
for key in drawhottrackcounters drawhottrackboard drawcellspos butonsposition gamemode \
  language state active_game frmMain.formpos.x frmMain.formpos.y frmMain.formsize.w \
  frmMain.formsize.h; do
  ini_lines | grep -q "^$key=" || fail "app.ini has no key '$key'"
done
ini_lines | grep -qx 'active_game=5x5' || fail "app.ini does not name 5x5 as the active game"

# check_slot CODE NAME SOLUTION_FILLED PLAYER_ROW...: the decoded state has
# this name, this player board, and a solution with this many filled cells.
check_slot() {
  local code=$1 name=$2 filled=$3
  shift 3
  local decoded expected actual
  decoded=$("$probe" state "$code") || fail "the state code of $name does not decode"
  [ "$(sed -n 1p <<<"$decoded")" = "name $name" ] ||
    fail "expected slot $name, the state code holds '$(sed -n 1p <<<"$decoded")'"
  expected=$(printf '%s\n' "$@")
  actual=$(sed -n '/^player$/,/^solution$/p' <<<"$decoded" | sed '1d;$d')
  [ "$actual" = "$expected" ] ||
    fail "player board of $name: expected"$'\n'"$expected"$'\n'"stored"$'\n'"$actual"
  if [ -n "$filled" ]; then
    actual=$(sed -n '/^solution$/,$p' <<<"$decoded" | sed 1d | tr -cd '#' | wc -c)
    [ "$actual" -eq "$filled" ] ||
      fail "solution of $name has $actual filled cells, the caption said $filled"
  fi
}
empty_rows() { # COUNT WIDTH
  local i
  for ((i = 0; i < $1; ++i)); do printf '%*s\n' "$2" '' | tr ' ' '.'; done
}

state=$(ini_lines | sed -n 's/^state=//p')
IFS='|' read -r -a codes <<<"$state"
[ "${#codes[@]}" -eq 5 ] || fail "app.ini holds ${#codes[@]} state codes, not 5"
mapfile -t rows3 < <(empty_rows 3 3)
mapfile -t rows15 < <(empty_rows 15 15)
mapfile -t rows20 < <(empty_rows 20 20)
check_slot "${codes[0]}" 3x3 "" "${rows3[@]}"
check_slot "${codes[1]}" 5x5 "$solution_5" \
  "#...." "....." "....." "....." "....x"
check_slot "${codes[2]}" 10x10 "$solution_10" \
  "#x........" ".........." "..#####..." ".........." ".........." \
  ".........." ".........." ".........." ".........." ".........."
check_slot "${codes[3]}" 15x15 "" "${rows15[@]}"
check_slot "${codes[4]}" 20x20 "" "${rows20[@]}"
note "app.ini: keys present, five state codes hold the boards played"

# --- 4. Second start: the same game comes back. ---
start_game second
wait_for "caption '$final_caption' after the restart" caption_is "$final_caption"
read_geometry "$window"
[ "$win_x $win_y $win_w $win_h" = "$first_geometry" ] ||
  fail "window bounds $win_x $win_y $win_w $win_h after the restart, $first_geometry before"
point_away
shot second-start
locate_board second-start 5 5
[ "$board_left $board_top $board_right $board_bottom" = "$first_board" ] ||
  fail "board at $board_left $board_top $board_right $board_bottom after the restart, $first_board before"
crop="$((board_right - board_left + 1))x$((board_bottom - board_top + 1))+$board_left+$board_top"
convert "$out/before-close.png" -crop "$crop" +repage "$out/board-before.png"
convert "$out/second-start.png" -crop "$crop" +repage "$out/board-after.png"
differing=$(compare -metric AE "$out/board-before.png" "$out/board-after.png" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "the board looks different after the restart ($differing pixels differ)"
close_game
check_slot "$(ini_lines | sed -n 's/^state=//p' | cut -d'|' -f2)" 5x5 "$solution_5" \
  "#...." "....." "....." "....." "....x"
note "second start shows the same game; closed cleanly"

# --- 5. Third start: solve the 3x3 puzzle with the keyboard alone. ---
mapfile -t solution3 < <("$probe" state "${codes[0]}" | sed -n '/^solution$/,$p' | sed 1d)
[ "${#solution3[@]}" -eq 3 ] || fail "the 3x3 solution does not decode"
start_game third
switch_slot 1
wait_counts 3x3 0
point_away
# solve_by_keys NAME ROW...: fills the '#' cells of the rows with the keyboard
# alone and checks that the celebration runs (the board keeps changing).
solve_by_keys() {
  local name=$1 row column
  shift
  local rows=("$@")
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  local keys=(Right) # the first arrow only shows the cursor, on the top left cell
  for ((row = 0; row < ${#rows[@]}; ++row)); do
    keys+=(Home)
    for ((column = 0; column < ${#rows[row]}; ++column)); do
      [ "${rows[row]:column:1}" = '#' ] && keys+=(space)
      keys+=(Right)
    done
    keys+=(Down)
  done
  xdotool key --delay 80 "${keys[@]}"
  shot "solved-$name-a"
  sleep 0.5
  shot "solved-$name-b"
  differing=$(compare -metric AE "$out/solved-$name-a.png" "$out/solved-$name-b.png" null: 2>&1 ||
    true)
  [ "$differing" != 0 ] || fail "no celebration after the keyboard solved the $name puzzle"
}
solve_by_keys 3x3 "${solution3[@]}"
note "keyboard solved 3x3; the celebration runs without Check ($differing pixels changed)"
close_game
check_slot "$(ini_lines | sed -n 's/^state=//p' | cut -d'|' -f1)" 3x3 "" "${solution3[@]}"
note "the keyboard's solution is stored"

# --- 6. A fourth start with a puzzle file of a size of its own. ---
box=("######" "#....#" "#.##.#" "######")
printf 'catalogue "e2e"\r\ntitle "Box"\r\nwidth 6\r\nheight 4\r\n\r\nrows\r\n6\r\n1,1\r\n1,2,1\r\n6\r\n\r\ncolumns\r\n4\r\n1,1\r\n1,2\r\n1,2\r\n1,1\r\n4\r\n' \
  >"$work/box.non"
start_game fourth "$work/box.non"
wait_counts 6x4 0
[ "$solution_filled" -eq 18 ] || fail "the opened puzzle fills $solution_filled cells, not 18"
point_away
shot opened-file
solve_by_keys 6x4 "${box[@]}"
note "tavelo FILE opened the .non puzzle as 6x4; solved with the keyboard, celebrated"
mkdir -p "$work/elsewhere"
printf '4x3:3/1.1/1.1/3/4/1.1/4\n' >"$work/elsewhere/frame.txt"
(
  cd "$work/elsewhere"
  env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    "$tavelo" frame.txt >"$out/tavelo-handover.log" 2>&1
) || fail "the later start with a file did not end with status 0"
wait_counts 4x3 0
[ "$solution_filled" -eq 10 ] || fail "the handed-over puzzle fills $solution_filled cells, not 10"
note "a later start handed its file to the running window, which opened it as 4x3"
close_game
state=$(ini_lines | sed -n 's/^state=//p')
IFS='|' read -r -a codes <<<"$state"
[ "${#codes[@]}" -eq 7 ] || fail "app.ini holds ${#codes[@]} state codes, not 7"
check_slot "${codes[5]}" 6x4 18 "${box[@]}"
check_slot "${codes[6]}" 4x3 10 "...." "...." "...."
note "the new sizes and their boards are stored beside the five"
note "passed; screenshots in $out"

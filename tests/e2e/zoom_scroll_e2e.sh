#!/usr/bin/env bash
# Zooms and scrolls a 60x60 board of the real game on a 1366x768 X screen of
# its own, through real X key and wheel input:
#  1. the game starts on a stored 60x60 puzzle, fitted to the window;
#  2. Ctrl++ zooms in past the fit: the board's picture changes; the wheel
#     scrolls back to the board's top;
#  3. the wheel scrolls the board down; the column clues stay drawn above it:
#     the dark frame under the column clues is still at the top of the view,
#     with the same clue rows above it as before the scroll, and the board's
#     own top frame has scrolled away under it.
# Every wait is bounded; a failure leaves screenshots and logs in the output
# folder. Only the processes started here are ended, by their process ids.
#
# usage: zoom_scroll_e2e.sh TAVELO_BINARY E2E_PROBE OUTPUT_DIR
set -euo pipefail

. "$(dirname "$0")/x_session.sh"
take_args tavelo probe out -- "$@"
wait_limit=20
end_at_exit

need_tools Xvfb xdotool import convert compare identify
[ -x "$tavelo" ] || fail "no game binary at $tavelo"
[ -x "$probe" ] || fail "no probe binary at $probe"

rm -rf "$out"
mkdir -p "$out"
make_work
start_xvfb 1366x768x24
note "X server on $DISPLAY"

# A stored 60x60 game, shown first, in a window of 1000 x 700.
mkdir -p "$work/config/tavelo/x64/settings"
{
  echo "state=$("$probe" code 60)"
  echo "active_game=60x60"
  echo "frmMain.formpos.x=0"
  echo "frmMain.formpos.y=0"
  echo "frmMain.formsize.w=1000"
  echo "frmMain.formsize.h=700"
} >"$work/config/tavelo/x64/settings/app.ini"

env -u GTK_THEME -u WAYLAND_DISPLAY -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR \
  -u QT_SCREEN_SCALE_FACTORS -u QT_QPA_PLATFORMTHEME \
  QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" HOME="$work/home" \
  XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
  "$tavelo" >"$out/tavelo.log" 2>&1 &
app_pid=$!

find_window() {
  window=$(xdotool search --onlyvisible --pid "$app_pid" --name ' - 60x60 - ' 2>/dev/null |
    head -n 1 || true)
  [ -n "$window" ]
}
wait_for "game window showing 60x60" find_window

# A 60x60 board takes a little longer to reach the server.
shot() { shot_window "$window" "$1" 0.5; }
# The pointer over the middle of the window's board area.
point_middle() {
  read_geometry "$window"
  xdotool mousemove --sync $((win_x + win_w / 2)) $((win_y + win_h / 2))
  sleep 0.1
}

point_middle
shot fitted

# --- Zoom in past the fit with the keyboard. ---
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 60 ctrl+plus ctrl+plus ctrl+plus ctrl+plus ctrl+plus ctrl+plus ctrl+plus \
  ctrl+plus
point_middle
shot zoomed
differing=$(compare -metric AE "$out/fitted.png" "$out/zoomed.png" null: 2>&1 || true)
[ "$differing" != 0 ] || fail "Ctrl++ did not change the board"
note "Ctrl++ zoomed past the fit ($differing pixels changed)"
# Zoomed about the middle of the view, the board has scrolled away from its
# top; the wheel brings the top back.
for _ in $(seq 20); do xdotool click 4; done
point_middle
shot top

# The frame under the column clues is the band followed closely by another
# (the board's top frame, a small gap below it).
mapfile -t before < <("$probe" bands "$work/top.ppm")
strip_bottom=
for ((i = 0; i + 1 < ${#before[@]}; ++i)); do
  read -r y1 t1 <<<"${before[i]}"
  read -r y2 _ <<<"${before[i + 1]}"
  if [ $((y2 - y1 - t1)) -le 8 ]; then
    strip_bottom=$y1
    break
  fi
done
[ -n "$strip_bottom" ] || fail "no column clues above the board before scrolling (${before[*]})"

# --- Scroll down with the wheel. ---
point_middle
for _ in $(seq 10); do xdotool click 5; done
shot scrolled
mapfile -t after < <("$probe" bands "$work/scrolled.ppm")
[ "${#after[@]}" -ge 1 ] || fail "no frame at all after scrolling"
read -r pinned pinned_t <<<"${after[0]}"
read_geometry "$window"
[ "$pinned" -le $((win_h / 2)) ] ||
  fail "the first frame after scrolling is at $pinned, not in the upper part of the view"
if [ "${#after[@]}" -ge 2 ]; then
  read -r next _ <<<"${after[1]}"
  [ $((next - pinned - pinned_t)) -gt 8 ] ||
    fail "the board's top frame still follows the column clues: nothing scrolled"
fi
# The same clue rows above the frame as before the scroll (left of the
# vertical scroll bar, whose handle moved).
width=$(($(identify -format '%w' "$out/top.png") - 32))
convert "$out/top.png" -crop "${width}x$((pinned + 3))+0+$((strip_bottom - pinned))" +repage \
  "$out/clues-before.png"
convert "$out/scrolled.png" -crop "${width}x$((pinned + 3))+0+0" +repage "$out/clues-after.png"
differing=$(compare -metric AE "$out/clues-before.png" "$out/clues-after.png" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "the column clues look different after scrolling ($differing pixels)"
differing=$(compare -metric AE "$out/top.png" "$out/scrolled.png" null: 2>&1 || true)
[ "$differing" != 0 ] || fail "the wheel did not scroll the board"
note "the wheel scrolled the board; the column clues stay drawn above it"
note "passed; screenshots in $out"

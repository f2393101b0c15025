#!/usr/bin/env bash
# The game with the real screen reader: Orca, speech-dispatcher and espeak-ng
# in a D-Bus session of their own, on an X server of their own, with sound
# going nowhere (ALSA's null device). Orca writes what it speaks to its debug
# file as "SPEECH OUTPUT: '...'" lines; the steps below press keys with
# xdotool and wait for the lines they must cause.
#
# A 5x5 puzzle is opened from a file and solved with the keyboard alone. What
# must be spoken: the board's opening line after a dialog (Settings, opened
# and closed), the cell's new state after Space and after X, a completed row,
# the hint's sentence after H, Check's result after C and the celebration;
# and one Down press must speak at most 15 words. Every wait is bounded; only the processes started here are ended,
# by their process ids. Without Orca the run is skipped (status 77), saying
# so.
#
# usage: orca_e2e.sh TAVELO_BINARY OUTPUT_DIR
set -euo pipefail

e2e_name=orca
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x_session.sh"
take_args tavelo out -- "$@"
launcher=/usr/libexec/at-spi-bus-launcher
python=/usr/bin/python3 # Debian's, which Orca runs on
wait_limit=15 # seconds for one spoken line
quiet_log=$out/orca-debug.log # long; on_failure shows its spoken lines

on_failure() {
  if [ -s "$out/orca-debug.log" ]; then
    echo "orca: the last spoken lines:" >&2
    grep -a '^SPEECH OUTPUT' "$out/orca-debug.log" | tail -n 15 >&2 || true
  fi
}

if [ -z "${TAVELO_ORCA_SESSION:-}" ]; then
  if [ ! -x /usr/bin/orca ]; then
    echo "orca: SKIPPED: the screen reader Orca is not installed" \
      "(bash scripts/install-deps.sh installs orca, speech-dispatcher and espeak-ng)"
    exit 77
  fi
  need_tools Xvfb xdotool dbus-run-session dbus-send speech-dispatcher espeak-ng "$launcher" \
    "$python"
  [ -x "$tavelo" ] || fail "no game binary at $tavelo"
  rm -rf "$out"
  mkdir -p "$out"
  make_work
  # Sound to ALSA's null device: without a sound server speech-dispatcher
  # would otherwise wait for one and hold Orca up.
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/home/.asoundrc"
  mkdir -p "$work/home/.config/speech-dispatcher" "$work/orca"
  cat >"$work/home/.config/speech-dispatcher/speechd.conf" <<CONF
AudioOutputMethod "alsa"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
LogDir "$out"
CONF
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
    TAVELO_ORCA_SESSION="$work" exec dbus-run-session -- bash "$0" "$@"
fi
work=$TAVELO_ORCA_SESSION

xvfb_pid=
orca_pid=
app_pid=
cleanup() {
  stop "$app_pid"
  stop "$orca_pid"
  stop "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb

a11y_bus() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >>"$out/bus.log" 2>&1
}
for _ in $(seq 100); do
  a11y_bus && break
  sleep 0.1
done
a11y_bus || fail "no accessibility bus within 10s"

debug=$out/orca-debug.log
"$python" "$here/orca_launch.py" --debug-file "$debug" -u "$work/orca" --disable braille \
  >"$out/orca.log" 2>&1 &
orca_pid=$!

# spoken: every line Orca has spoken so far, one per line.
spoken() {
  grep -a "SPEECH OUTPUT: '" "$debug" 2>/dev/null | sed "s/^.*SPEECH OUTPUT: '//; s/' *{[^}]*}\$//" || true
}

# Waits for Orca's first words: it is then listening to the desktop.
deadline=$((SECONDS + 30))
until [ -n "$(spoken | head -n 1)" ]; do
  alive "$orca_pid" || fail "Orca ended as it started (see $out/orca.log)"
  [ "$SECONDS" -lt "$deadline" ] || fail "Orca spoke nothing within 30s of its start"
  sleep 0.2
done
note "Orca is up: '$(spoken | head -n 1)'"

# The puzzle: a frame with a dot in the middle, 17 cells to fill.
#   #####  5
#   #...#  1 1
#   #.#.#  1 1 1
#   #...#  1 1
#   #####  5
printf 'title "Frame"\nwidth 5\nheight 5\n\nrows\n5\n1,1\n1,1,1\n1,1\n5\n\ncolumns\n5\n1,1\n1,1,1\n1,1\n5\n' \
  >"$work/frame.non"
env -u WAYLAND_DISPLAY -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR QT_QPA_PLATFORM=xcb \
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME="$work/config" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
  "$tavelo" "$work/frame.non" >"$out/tavelo.log" 2>&1 &
app_pid=$!

window=
deadline=$((SECONDS + 20))
until window=$(xdotool search --onlyvisible --pid "$app_pid" --name '^TAVELO ' 2>/dev/null |
  head -n 1) && [ -n "$window" ]; do
  alive "$app_pid" || fail "tavelo ended before its window showed"
  [ "$SECONDS" -lt "$deadline" ] || fail "no game window within 20s"
  sleep 0.1
done

mark=0
# heard_since PATTERN: the lines spoken since the last key that match.
heard_since() { spoken | tail -n +$((mark + 1)) | grep -aiE -- "$1" || true; }
# expect WHAT PATTERN: waits until Orca has spoken a line matching PATTERN
# since the last key.
expect() {
  local deadline=$((SECONDS + wait_limit)) heard
  while :; do
    heard=$(heard_since "$2" | head -n 1)
    [ -n "$heard" ] && break
    alive "$app_pid" || fail "tavelo ended while waiting for $1"
    alive "$orca_pid" || fail "Orca ended while waiting for $1"
    [ "$SECONDS" -lt "$deadline" ] || fail "Orca did not speak $1 within ${wait_limit}s"
    sleep 0.1
  done
  note "heard $1: '$heard'"
}
# press KEY...: the keys, each after what the one before made Orca say has
# been given a moment to arrive.
press() {
  mark=$(spoken | wc -l)
  xdotool key --delay 150 "$@"
}

# The game may start before Orca has taken note of it and then tells its
# opening line to no one; after a dialog the line must come.
deadline=$((SECONDS + wait_limit))
until [ -n "$(heard_since 'TAVELO - 5x5|5 by 5 board')" ] || [ "$SECONDS" -ge "$deadline" ]; do
  sleep 0.1
done
press F2
expect "the settings dialog" 'Settings'
press Escape
expect "the board's opening line after a dialog" '5 by 5 board, 0 of 17 cells filled\. Arrows move'
press Right
expect "the first cell" 'empty'
press space
expect "a filled cell after Space" '(^|notification )filled'
press Right space Right space Right space Right space
expect "a completed row" 'Row 1 complete'

# One row down: the row's clue and the cell, not the whole row.
press Down
expect "the next row's clue" 'Row 2 clue'
sleep 1.5
words=$(spoken | tail -n +$((mark + 1)) | wc -w)
note "one Down press: $(spoken | tail -n +$((mark + 1)) | tr '\n' ' ')($words words)"
[ "$words" -le 15 ] || fail "one Down press spoke $words words, more than 15"

press space Home space
expect "the second row completed" 'Row 2 complete'
press Right x
expect "a crossed cell after X" '(^|notification )crossed'
press h
expect "the hint's sentence" 'clue [0-9 ]+ in 5 cells'
press c
expect "Check's result" 'No mistakes so far'
press Down Home space Right Right space Right Right space Down space Home space
press Down space Right space Right space Right space Right space
expect "the solved message" 'Solved! Well done'
note "passed"

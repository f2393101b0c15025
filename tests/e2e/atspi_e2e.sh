#!/usr/bin/env bash
# The game as assistive technology sees it, once through the real AT-SPI
# stack: a D-Bus session of its own (dbus-run-session), the accessibility bus
# (at-spi-bus-launcher, started by the session bus), an X server of its own
# (Xvfb) and the game with Qt's accessibility switched on. atspi_check.py
# then finds the board table of the puzzle's size and a cell that says
# "filled" after a click on it.
# Every wait is bounded; only the processes started here are ended, by their
# process ids.
#
# usage: atspi_e2e.sh TAVELO_BINARY OUTPUT_DIR
set -euo pipefail

e2e_name=atspi
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x_session.sh"
take_args tavelo out -- "$@"
launcher=/usr/libexec/at-spi-bus-launcher
python=/usr/bin/python3 # Debian's, which has pyatspi

# Outside a session bus of its own, start one and run again inside it.
if [ -z "${TAVELO_ATSPI_SESSION:-}" ]; then
  need_tools Xvfb xdotool dbus-run-session dbus-send "$launcher" "$python"
  "$python" -c 'import pyatspi' 2>/dev/null ||
    fail "python3-pyatspi is not installed (bash scripts/install-deps.sh installs it)"
  [ -x "$tavelo" ] || fail "no game binary at $tavelo"
  rm -rf "$out"
  mkdir -p "$out"
  # Folders of its own before the session starts, so that the accessibility
  # bus (whose socket lies in XDG_RUNTIME_DIR, else in ~/.cache) is never
  # shared with another session's.
  make_work
  HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    TAVELO_ATSPI_SESSION="$work" exec dbus-run-session -- bash "$0" "$@"
fi
work=$TAVELO_ATSPI_SESSION

xvfb_pid=
app_pid=
cleanup() {
  stop "$app_pid"
  stop "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb

# The game looks for the accessibility bus once, as it starts: the bus must
# be there first. Asking for its address starts it (the session bus
# activates at-spi-bus-launcher, which ends with the session).
a11y_bus() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >>"$out/bus.log" 2>&1
}
for _ in $(seq 100); do
  a11y_bus && break
  sleep 0.1
done
a11y_bus || fail "no accessibility bus within 10s"

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$tavelo" >"$out/tavelo.log" 2>&1 &
app_pid=$!

timeout 28 "$python" "$here/atspi_check.py" || {
  status=$?
  [ "$status" -eq 124 ] && fail "the AT-SPI check did not end within 28s"
  alive "$app_pid" || fail "tavelo ended during the check"
  fail "the AT-SPI check failed (status $status)"
}
alive "$app_pid" || fail "tavelo ended during the check"
echo "atspi: passed"

#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that a desktop finds the
# game there: the program in bin (without Qt) and the window program it
# starts, a valid desktop entry, the icon as SVG and
# in every PNG size, each PNG of the size its folder names, AppStream metadata
# without errors or warnings, the manual page and the licence.
#
# usage: check_install.sh CMAKE BUILD_DIR PREFIX
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 CMAKE BUILD_DIR PREFIX" >&2
  exit 2
fi
cmake=$1
build=$2
prefix=$3

fail() {
  echo "install: FAILED: $*" >&2
  exit 1
}

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

[ -x "$prefix/bin/tavelo" ] || fail "no executable bin/tavelo"
"$prefix/bin/tavelo" --version | grep -q '^TAVELO \[' || fail "the installed tavelo --version"
! ldd "$prefix/bin/tavelo" | grep -q 'libQt' || fail "bin/tavelo loads Qt: $(ldd "$prefix/bin/tavelo")"
[ -x "$prefix/libexec/tavelo/tavelo-window" ] || fail "no executable libexec/tavelo/tavelo-window"
# A window start reaches the window program, which then runs until stopped.
status=0
XDG_CONFIG_HOME="$prefix/config" QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/bin/tavelo" \
  2>"$prefix/window.log" || status=$?
[ "$status" = 124 ] || fail "the installed tavelo did not start the window: $(cat "$prefix/window.log")"
# Without its window program, tavelo says so instead of failing silently.
mkdir -p "$prefix/lonely/bin"
cp "$prefix/bin/tavelo" "$prefix/lonely/bin/"
status=0
"$prefix/lonely/bin/tavelo" 2>"$prefix/lonely.log" || status=$?
[ "$status" = 1 ] && grep -q "cannot start the window program" "$prefix/lonely.log" ||
  fail "tavelo without its window program: status $status, $(cat "$prefix/lonely.log")"
"$prefix/lonely/bin/tavelo" --version | grep -q '^TAVELO \[' || fail "tavelo --version without the window program"

entry="$prefix/share/applications/tavelo.desktop"
[ -f "$entry" ] || fail "no share/applications/tavelo.desktop"
command -v desktop-file-validate >/dev/null ||
  fail "'desktop-file-validate' is not installed (bash scripts/install-deps.sh installs it)"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep -qxE 'Exec=tavelo( %f)?' "$entry" || fail "the desktop entry does not start tavelo"
grep -qx 'Icon=tavelo' "$entry" || fail "the desktop entry does not name the icon tavelo"

icons="$prefix/share/icons/hicolor"
grep -q '<svg' "$icons/scalable/apps/tavelo.svg" 2>/dev/null || fail "no scalable/apps/tavelo.svg"
for size in 16 32 48 64 128 256; do
  png="$icons/${size}x${size}/apps/tavelo.png"
  [ -f "$png" ] || fail "no ${size}x${size}/apps/tavelo.png"
  # The PNG header: signature, IHDR, then width and height as 32-bit numbers.
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$width $height" = "$size $size" ] || fail "$png is ${width}x${height}"
done

metainfo="$prefix/share/metainfo/io.github.tavelo.tavelo.metainfo.xml"
[ -f "$metainfo" ] || fail "no share/metainfo/io.github.tavelo.tavelo.metainfo.xml"
command -v appstreamcli >/dev/null ||
  fail "'appstreamcli' is not installed (bash scripts/install-deps.sh installs it)"
appstreamcli validate --no-net "$metainfo" || fail "the AppStream metadata is not valid"
grep -q '<launchable type="desktop-id">tavelo.desktop</launchable>' "$metainfo" ||
  fail "the AppStream metadata does not launch tavelo.desktop"

zcat "$prefix/share/man/man6/tavelo.6.gz" 2>/dev/null | grep -q '^\.TH TAVELO 6 ' ||
  fail "no manual page share/man/man6/tavelo.6.gz"
grep -q 'The TAVELO authors' "$prefix/share/doc/tavelo/copyright" 2>/dev/null ||
  fail "no licence in share/doc/tavelo/copyright"
echo "install: bin/tavelo, libexec/tavelo/tavelo-window, the desktop entry, the icons, the metadata, the manual page and the licence are in place under $prefix"

#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks it as a
# distribution would take it: the file name and version agree with the
# program's own version (and with the metadata, the manual page and the
# changelog), section games, the library dependencies found, exactly the
# expected files, lintian without errors or warnings, and the program,
# unpacked into a scratch root (the system is left untouched), answering
# --version.
#
# usage: check_package.sh CPACK BUILD_DIR WORK_DIR
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 CPACK BUILD_DIR WORK_DIR" >&2
  exit 2
fi
cpack=$1
build=$2
work=$3

fail() {
  echo "package: FAILED: $*" >&2
  exit 1
}

for tool in dpkg-deb dpkg-shlibdeps lintian appstreamcli; do
  command -v "$tool" >/dev/null ||
    fail "'$tool' is not installed (bash scripts/install-deps.sh installs it)"
done

rm -rf "$work"
mkdir -p "$work"
(cd "$build" && "$cpack" -G DEB -B "$work") >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$work/cpack.log")"

# "TAVELO [1.0.3.0/2025-03-11/82]/Linux64" is version 1.0.3.
version=$("$build/src/app/tavelo" --version | sed -nE 's/^TAVELO \[([0-9]+\.[0-9]+\.[0-9]+)(\.0)?\/.*/\1/p')
[ -n "$version" ] || fail "cannot read the version from tavelo --version"
deb="$work/tavelo_${version}_amd64.deb"
[ -f "$deb" ] || fail "no tavelo_${version}_amd64.deb, cpack made: $(cd "$work" && ls ./*.deb)"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tavelo ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version), the program's $version"
[ "$(field Section)" = games ] || fail "section $(field Section)"
[ "$(field Architecture)" = amd64 ] || fail "architecture $(field Architecture)"
depends=$(field Depends)
for library in libc6 libstdc++6 zlib1g libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
    fail "Depends lacks $library: $depends"
done

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$work/files.txt"
sort >"$work/expected.txt" <<'FILES'
usr/games/tavelo
usr/libexec/tavelo/tavelo-window
usr/share/applications/tavelo.desktop
usr/share/doc/tavelo/changelog.gz
usr/share/doc/tavelo/copyright
usr/share/icons/hicolor/128x128/apps/tavelo.png
usr/share/icons/hicolor/16x16/apps/tavelo.png
usr/share/icons/hicolor/256x256/apps/tavelo.png
usr/share/icons/hicolor/32x32/apps/tavelo.png
usr/share/icons/hicolor/48x48/apps/tavelo.png
usr/share/icons/hicolor/64x64/apps/tavelo.png
usr/share/icons/hicolor/scalable/apps/tavelo.svg
usr/share/man/man6/tavelo.6.gz
usr/share/metainfo/io.github.tavelo.tavelo.metainfo.xml
FILES
diff -u "$work/expected.txt" "$work/files.txt" >&2 || fail "the package holds other files than expected"

root="$work/root"
dpkg-deb -x "$deb" "$root"
"$root/usr/games/tavelo" --version | grep -q "^TAVELO \[$version\." ||
  fail "the packaged tavelo --version: $("$root/usr/games/tavelo" --version 2>&1)"
# From /usr/games the window program in /usr/libexec is found.
status=0
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/games/tavelo" \
  2>"$work/window.log" || status=$?
[ "$status" = 124 ] || fail "the packaged tavelo did not start the window: $(cat "$work/window.log")"

metainfo="$root/usr/share/metainfo/io.github.tavelo.tavelo.metainfo.xml"
grep -qE "<release version=\"$version\"" "$metainfo" || fail "the metadata's releases lack $version"
[ "$(grep -m1 -oE '<release version="[^"]*"' "$metainfo")" = "<release version=\"$version\"" ] ||
  fail "the metadata's latest release is not $version"
zcat "$root/usr/share/man/man6/tavelo.6.gz" | grep -qE "^\.TH TAVELO 6 .*\"TAVELO $version\"" ||
  fail "the manual page is not of version $version"
zcat "$root/usr/share/doc/tavelo/changelog.gz" | head -1 | grep -q "^tavelo ($version) " ||
  fail "the changelog's latest entry is not $version"
# The metadata together with the desktop entry and icons it names.
appstreamcli validate-tree --no-net "$root" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli validate-tree: $(cat "$work/appstream.log")"

# Informational tags are not shown; every error or warning fails.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$work/lintian.log")"
echo "package: $(basename "$deb") holds $(wc -l <"$work/files.txt") files, lintian and AppStream are content"

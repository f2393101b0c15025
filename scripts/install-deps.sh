#!/usr/bin/env bash
# Installs the Debian packages TAVELO needs to build, test and run, skipping
# those already present. Safe to run again at any time.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  zlib1g-dev libexpat1-dev
  qt6-base-dev libgl-dev fonts-dejavu-core
  # Japanese, Chinese and Korean texts drawn as letters, not boxes
  fonts-noto-cjk
  # Qt's SVG image reader, for designing a puzzle from an SVG picture
  libqt6svg6
  # Qt's own texts (message box buttons) in the program's languages
  qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xdotool x11-utils imagemagick desktop-file-utils
  appstream man-db dpkg-dev file lintian
  # the tests switch accessibility on through the platform (private Qt API)
  qt6-base-private-dev
  # the end-to-end check through the accessibility bus, as a screen reader
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi
  # the end-to-end run with the real screen reader
  orca speech-dispatcher espeak-ng dbus-x11
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
fi

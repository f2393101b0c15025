#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from tavelo.svg with
# ImageMagick. The PNGs are committed; run this again after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  convert -background none -density $((72 * size / 64)) tavelo.svg -resize "${size}x${size}" \
    -depth 8 -strip -define png:compression-level=9 "${size}x${size}/tavelo.png"
done

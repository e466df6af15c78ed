#!/usr/bin/env bash
# Draws the program icon (a white note on a blue disc) at 48, 32 and 16 pixels and packs
# them into resources/tunelark.ico. Run by hand when the picture changes; the .ico is kept
# in the repository so the build needs no ImageMagick.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 192x192 xc:none \
  -fill '#2f6fb0' -draw 'circle 96,96 96,6' \
  -fill '#4a8fd6' -draw 'circle 96,96 96,20' \
  -fill white -draw 'ellipse 70,136 24,18 0,360' -draw 'ellipse 130,122 24,18 0,360' \
  -draw 'rectangle 86,50 98,136' -draw 'rectangle 146,36 158,122' \
  -draw 'polygon 86,50 158,36 158,58 86,72' \
  "$tmp/big.png"
for s in 48 32 16; do convert "$tmp/big.png" -resize ${s}x${s} "PNG32:$tmp/$s.png"; done
# BMP-format entries (not PNG-compressed) so every Windows version reads them.
convert "$tmp/48.png" "$tmp/32.png" "$tmp/16.png" "$here/tunelark.ico"

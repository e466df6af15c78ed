#!/usr/bin/env bash
# Draws the skin's pictures: the caption-button glyphs (white, partly transparent, on a
# transparent ground), the two check boxes, the four small triangles and the default
# 1024 x 768 background. Run by hand when a picture changes; the files are kept in the
# repository (the build embeds them and needs no ImageMagick). The output is the same on
# every run: no dates or other variable chunks are written.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/pictures"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# PNG: 8-bit RGBA (colour type 6), no time stamps.
save_png() { # save_png <input> <output>
  convert "$1" -strip -define png:exclude-chunks=date,time -define png:color-type=6 \
    -define png:bit-depth=8 "PNG32:$2"
}

# Caption glyphs are drawn at 4x and scaled down, which gives soft edges. The glyph ink is
# white at 90% opacity, so the window's background shows a little through it.
ink='rgba(255,255,255,0.9)'
glyph() { # glyph <name> <width> <height> <ImageMagick drawing options, at 4x>...
  local name=$1 w=$2 h=$3
  shift 3
  convert -size $((w * 4))x$((h * 4)) xc:none -fill "$ink" -stroke "$ink" "$@" \
    -filter Box -resize "${w}x${h}!" "$tmp/$name.png"
  save_png "$tmp/$name.png" "$out/$name.png"
}

# Help: a question mark (an open arc, a short stem and a dot).
glyph caption-help 26 18 -fill none -strokewidth 6 -draw 'arc 42,12 62,32 180,405' \
  -draw 'polyline 59,29 53,35 53,45' \
  -stroke none -fill "$ink" -draw 'circle 53,56 53,52'
# Main menu: three short bars.
glyph caption-menu 26 18 -stroke none -draw 'rectangle 36,20 68,25' \
  -draw 'rectangle 36,34 68,39' -draw 'rectangle 36,48 68,53'
# Minimize: one bar low in the cell.
glyph caption-minimize 26 18 -stroke none -draw 'rectangle 36,44 68,50'
# Maximize: a square outline with a thicker top edge.
glyph caption-maximize 26 18 -fill none -strokewidth 5 -draw 'rectangle 38,18 66,50' \
  -stroke none -fill "$ink" -draw 'rectangle 38,18 66,25'
# Restore: two overlapping squares.
glyph caption-restore 26 18 -fill none -strokewidth 5 -draw 'polyline 44,22 44,14 70,14 70,40 62,40' \
  -draw 'rectangle 34,24 60,50' -stroke none -fill "$ink" -draw 'rectangle 34,24 60,30'
# Close (wider cell): an X.
glyph caption-close 38 18 -strokewidth 7 \
  -draw 'stroke-linecap round line 62,16 90,54' -draw 'stroke-linecap round line 90,16 62,54'

# Check boxes, 13 x 13: a dark one-pixel frame around a light, slightly shaded fill.
convert -size 11x11 gradient:'#ffffff-#e3e9ef' -bordercolor '#4f5d6b' -border 1 "$tmp/check-off.png"
save_png "$tmp/check-off.png" "$out/check-off.png"
convert -size 52x52 xc:none -fill none -stroke '#1d3d5c' -strokewidth 7 \
  -draw 'polyline 12,27 22,37 40,15' -filter Box -resize 13x13! "$tmp/tick.png"
convert "$tmp/check-off.png" "$tmp/tick.png" -composite "$tmp/check-on.png"
save_png "$tmp/check-on.png" "$out/check-on.png"

# Triangles: 7 x 4 pointing down and up, 4 x 7 pointing left and right; hard edges.
arrow='#3a3f45'
convert -size 7x4 xc:none +antialias -fill "$arrow" -draw 'polygon 0,0 6,0 3,3' "$tmp/a.png"
save_png "$tmp/a.png" "$out/arrow-down.png"
convert "$tmp/a.png" -flip "$tmp/b.png"; save_png "$tmp/b.png" "$out/arrow-up.png"
convert "$tmp/a.png" -rotate 90 "$tmp/c.png"; save_png "$tmp/c.png" "$out/arrow-left.png"
convert "$tmp/c.png" -flop "$tmp/d.png"; save_png "$tmp/d.png" "$out/arrow-right.png"

# Background, 1024 x 768: a soft sky-blue to teal gradient with a few large, blurred,
# translucent discs and a gentle wave of light across the lower half. Baseline JPEG.
convert -size 1024x768 gradient:'#7fb2d9-#3d7f8f' \
  \( -size 1024x768 xc:none \
     -fill 'rgba(255,255,255,0.22)' -draw 'circle 180,170 180,20' \
     -fill 'rgba(255,255,255,0.14)' -draw 'circle 820,120 820,-60' \
     -fill 'rgba(200,240,255,0.18)' -draw 'circle 640,430 640,250' \
     -fill 'rgba(255,255,255,0.10)' -draw 'circle 330,620 330,420' \
     -fill 'rgba(20,60,90,0.12)' -draw 'circle 960,700 960,520' \
     -blur 0x28 \) -composite \
  \( -size 1024x768 xc:none -fill none -stroke 'rgba(255,255,255,0.35)' -strokewidth 18 \
     -draw 'path "M -20,560 C 200,470 420,660 640,560 S 900,470 1044,540"' \
     -stroke 'rgba(255,255,255,0.2)' -strokewidth 10 \
     -draw 'path "M -20,610 C 240,530 440,700 680,610 S 920,520 1044,600"' \
     -blur 0x10 \) -composite \
  -seed 1729 -attenuate 0.35 +noise Uniform \
  -strip -interlace none -sampling-factor 2x2 -quality 88 "JPEG:$out/background.jpg"

# The test gallery's picture buttons (not carried by the program): 40 x 40, one colour each
# with a white disc of a third of the side in the middle; one for the picture beside a
# caption, four for the normal, hover, pressed and disabled faces.
gallery_button() { # gallery_button <name> <colour>
  convert -size 160x160 "xc:$2" -fill white -draw 'circle 80,80 80,53.33' \
    -filter Box -resize 40x40! "$tmp/$1.png"
  save_png "$tmp/$1.png" "$out/$1.png"
}
gallery_button gallery-beside '#e08020'
gallery_button gallery-normal '#2060c0'
gallery_button gallery-hover '#20a040'
gallery_button gallery-pressed '#c03020'
gallery_button gallery-disabled '#808080'

ls -l "$out"

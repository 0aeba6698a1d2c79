#!/bin/sh
# Renders the program's icon (packaging/icons/tessolo.svg, drawn by hand) into
# the PNG sizes the desktop asks for. Needs rsvg-convert (librsvg2-bin), or
# else ImageMagick's convert built with an SVG reader. The PNGs are committed;
# re-run this after changing the SVG.
set -eu
icons="$(cd "$(dirname "$0")/../packaging/icons" && pwd)"
for size in 48 256; do
  out="$icons/tessolo-$size.png"
  if command -v rsvg-convert > /dev/null; then
    rsvg-convert -w "$size" -h "$size" "$icons/tessolo.svg" -o "$out"
  else
    convert -background none -density 384 "$icons/tessolo.svg" -resize "${size}x$size" "$out"
  fi
  echo "$out"
done

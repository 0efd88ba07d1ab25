#!/bin/bash
# Renders the skin's SVG sources into the PNG resources (svg/NNN_name.svg ->
# png/NNN.png). The PNGs are committed, so a build needs no converter; run
# this after changing a drawing. Needs rsvg-convert (Debian: librsvg2-bin)
# and, for the word mark, the Liberation fonts.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
command -v rsvg-convert >/dev/null || { echo "make-png: rsvg-convert is missing (librsvg2-bin)" >&2; exit 1; }
mkdir -p "$here/png"
for svg in "$here"/svg/*.svg; do
  name=$(basename "$svg" .svg)
  id=${name%%_*}
  rsvg-convert --format png -o "$here/png/$id.png" "$svg"
done
echo "make-png: $(ls "$here"/png/*.png | wc -l) pictures in $here/png"

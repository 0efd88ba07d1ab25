#!/usr/bin/env bash
# Draws a program icon (16, 32 and 48 pixels): a rounded square in COLOR with
# a white LETTER. Usage: make-icon.sh COLOR LETTER OUT.ico
set -euo pipefail
color=$1 letter=$2 out=$3
tmp=$(mktemp -d)
for s in 16 32 48; do
  r=$((s / 5)) m=$((s - 2))
  convert -size ${s}x${s} xc:none -fill "$color" -draw "roundrectangle 1,1 $m,$m $r,$r" \
    -fill white -font DejaVu-Sans-Bold -pointsize $((s * 2 / 3)) -gravity center \
    -annotate +0+0 "$letter" PNG32:"$tmp/$s.png"
done
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$out"
rm -rf "$tmp"

#!/bin/sh
# Renders the program icon packaging/vesk.svg into the PNG sizes of the hicolor
# theme (packaging/icons/NxN/vesk.png). Needs rsvg-convert (librsvg2-bin).
# The PNGs are committed; run this again after editing the SVG.
set -eu
cd "$(dirname "$0")/../.."
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "packaging/icons/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "packaging/icons/${size}x${size}/vesk.png" packaging/vesk.svg
done
echo "wrote packaging/icons/*/vesk.png"

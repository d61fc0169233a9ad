#!/usr/bin/env bash
# Renders the program's icon as PNGs of the hicolor theme into packaging/icons/, in the sizes
# of packaging/icon-sizes (which check-install.sh also requires in the package),
# and the buttons' glyphs at their size and twice that into app/icons/. The PNGs are kept in
# the repository, so building and packaging need no SVG renderer and the program loads no
# SVG code at start-up; run this again (needs librsvg2-bin) whenever an SVG in app/icons/
# changes.
set -euo pipefail
cd "$(dirname "$0")/.."

svg=app/icons/org.fokalis.Fokalis.svg
for size in $(cat packaging/icon-sizes); do
    dir="packaging/icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --output "$dir/org.fokalis.Fokalis.png" "$svg"
done

for glyph in exit about about-disabled; do
    rsvg-convert --width 16 --height 16 --output "app/icons/$glyph.png" "app/icons/$glyph.svg"
    rsvg-convert --width 32 --height 32 --output "app/icons/$glyph@2x.png" "app/icons/$glyph.svg"
done

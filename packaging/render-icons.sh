#!/usr/bin/env bash
# Renders the program's icon as the PNG sizes of the hicolor theme into packaging/icons/.
# The PNGs are kept in the repository, so building and packaging need no SVG renderer;
# run this again (needs librsvg2-bin) whenever app/icons/org.fokalis.Fokalis.svg changes.
set -euo pipefail
cd "$(dirname "$0")/.."

svg=app/icons/org.fokalis.Fokalis.svg
for size in 16 22 24 32 48 64 128 256; do
    dir="packaging/icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --output "$dir/org.fokalis.Fokalis.png" "$svg"
done

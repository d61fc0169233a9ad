#!/usr/bin/env bash
# Renders the program's icon as PNGs of the hicolor theme into packaging/icons/, in the
# sizes of packaging/icon-sizes (which check-install.sh also requires in the package).
# The PNGs are kept in the repository, so building and packaging need no SVG renderer;
# run this again (needs librsvg2-bin) whenever app/icons/org.fokalis.Fokalis.svg changes.
set -euo pipefail
cd "$(dirname "$0")/.."

svg=app/icons/org.fokalis.Fokalis.svg
for size in $(cat packaging/icon-sizes); do
    dir="packaging/icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --output "$dir/org.fokalis.Fokalis.png" "$svg"
done

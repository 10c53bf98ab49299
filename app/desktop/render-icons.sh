#!/usr/bin/env bash
# Renders the committed PNG icons from zan.svg (Debian librsvg2-bin). Run it after changing the
# SVG and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p icons
for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" zan.svg --output "icons/zan-$size.png"
done

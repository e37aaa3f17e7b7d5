#!/usr/bin/env bash
# Renders the PNG sizes of the hicolor icon from its SVG (rsvg-convert, Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" org.example.verbaria.svg -o "org.example.verbaria-$size.png"
done

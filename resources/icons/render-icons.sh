#!/usr/bin/env bash
# Renders the application icon drawing to the PNG sizes of the hicolor icon theme.
# Run after changing kadrela.svg and commit the PNG files: the build does not render.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" kadrela.svg --output "kadrela-$size.png"
done

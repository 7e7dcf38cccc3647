#!/usr/bin/env bash
# Renders the committed PNG icons from korvex.svg; run it after editing the SVG
# (needs rsvg-convert from librsvg2-bin). The build never runs it.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "icons/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" korvex.svg --output "icons/${size}x${size}/korvex.png"
done

#!/usr/bin/env bash
# Renders the PNG sizes of the application icon from zentrix.svg. Run it after
# changing the drawing and commit the result; the build only copies the files.
# The 64 x 64 image is the program's own icon resource (src/app/resources).
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" zentrix.svg -o "hicolor/${size}x${size}/apps/zentrix.png"
done

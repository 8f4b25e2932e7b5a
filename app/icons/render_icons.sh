#!/usr/bin/env bash
# Renders the application icon from quorbel.svg into the PNGs and the Windows .ico committed beside
# it. Run again after changing the SVG (Debian: librsvg2-bin, icoutils); the build only reads the
# results, so neither tool is needed to build.
set -euo pipefail
cd "$(dirname "$0")"
sizes=(16 24 32 48 64 128 256)
pngs=()
for size in "${sizes[@]}"; do
    rsvg-convert -w "$size" -h "$size" quorbel.svg -o "quorbel-$size.png"
    pngs+=("quorbel-$size.png")
done
# The 256 px image stays PNG-compressed inside the .ico, as Windows Vista and later expect.
icotool -c -o quorbel.ico --raw=quorbel-256.png $(printf '%s ' "${pngs[@]}" | sed 's/quorbel-256.png //')

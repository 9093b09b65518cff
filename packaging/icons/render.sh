#!/usr/bin/env bash
# Renders the hicolor theme icons, hamburger-SIZE.png, from the same design as the window icon:
# app/icon/make_icon.py draws the XPM at each size and ImageMagick turns it into a PNG. The PNGs
# are committed, so building needs neither Python nor ImageMagick; run this again after changing
# the design. Time chunks are left out so that the files only change when the pixels do.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 32 64 128; do
  python3 ../../app/icon/make_icon.py "$size" > "$work/hamburger-$size.xpm"
  convert "$work/hamburger-$size.xpm" -strip -define png:exclude-chunks=date,time \
    "PNG32:hamburger-$size.png"
done

#!/bin/sh
# Draws the module's images: writes the SVG sources (generate.py) and rasterises each
# src/<name>.svg into <name>.png at the size the source declares (32 x 32 for the
# button icons, larger for the explanatory pictures).
#
# Needs python3 and rsvg-convert (Debian package librsvg2-bin); the pictures' labels
# use DejaVu Sans (fonts-dejavu-core). The PNGs are committed: the build only
# compiles them in, so run this after changing generate.py and commit both.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

command -v rsvg-convert >/dev/null 2>&1 || {
    echo "render.sh: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
    exit 1
}

python3 generate.py

count=0
for src in src/*.svg; do
    name=$(basename "$src" .svg)
    rsvg-convert --format=png --output="$name.png.tmp" "$src"
    mv "$name.png.tmp" "$name.png"
    count=$((count + 1))
done

# PNGs whose source is gone are stale.
for png in *.png; do
    [ -e "src/${png%.png}.svg" ] || { echo "render.sh: removing stale $png" >&2; rm -f "$png"; }
done

echo "render.sh: $count images rendered" >&2

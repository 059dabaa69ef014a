#!/usr/bin/env bash
# Renders the window's artwork and the program icon from their SVG sources:
#   resources/artwork/src/NAME.svg -> resources/artwork/NAME.png (at the size the SVG declares)
#   resources/icon/src/morvanta_16.svg, morvanta.svg -> resources/icon/morvanta-{16,32,48,256}.png
#                                                     -> resources/icon/morvanta.ico
# then redraws the contact sheet (docs/artwork-sheet.png). The rendered files are committed, so
# a normal build never needs this script or its tools. Installs what it needs (Debian packages).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
art="$root/resources/artwork"
icon="$root/resources/icon"

need_packages=()
command -v rsvg-convert >/dev/null || need_packages+=(librsvg2-bin)
command -v icotool >/dev/null || need_packages+=(icoutils)
# The banner and the sidebar carry the product name; its face must be present when rendering.
fc-list 2>/dev/null | grep -q 'NotoSans-Bold.ttf' || need_packages+=(fonts-noto-core)
/usr/bin/python3 -c 'import PIL' 2>/dev/null || need_packages+=(python3-pil)
if ((${#need_packages[@]})); then
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${need_packages[@]}"
fi

count=0
for svg in "$art"/src/*.svg; do
    name="$(basename "$svg" .svg)"
    rsvg-convert --format=png "$svg" -o "$art/$name.png"
    count=$((count + 1))
done
echo "rendered $count artwork images into resources/artwork"

rsvg-convert --format=png -w 16 -h 16 "$icon/src/morvanta_16.svg" -o "$icon/morvanta-16.png"
for size in 32 48 256; do
    rsvg-convert --format=png -w $size -h $size "$icon/src/morvanta.svg" -o "$icon/morvanta-$size.png"
done
# The small images are stored as bitmaps, the 256 pixel one as PNG inside the icon file.
icotool --create --output="$icon/morvanta.ico" \
    "$icon/morvanta-16.png" "$icon/morvanta-32.png" "$icon/morvanta-48.png" --raw="$icon/morvanta-256.png"
echo "rendered resources/icon/morvanta.ico (16, 32, 48 and 256 pixels)"

/usr/bin/python3 "$root/tools/artwork_sheet.py"

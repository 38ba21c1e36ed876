#!/usr/bin/env bash
# Draws the wizard's pictures with ImageMagick: the logo of every page, the
# Welcome page's picture and the hand pointer of link labels. The results are
# committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert

# Drawn four times larger, then reduced, for smooth edges. 32-bit BMP keeps
# the alpha channel.
mark() {  # mark SIZE OUT: the blue tile with the white Z and the orange bar
    local size=$1 out=$2
    $IM -size 384x384 xc:none \
        -fill '#00000030' -draw 'roundrectangle 28,32 372,376 72,72' -blur 0x6 \
        -fill '#1D5FA8' -draw 'roundrectangle 16,16 360,360 72,72' \
        -fill '#2E7BD0' -draw 'roundrectangle 16,16 360,200 72,72' \
        -fill '#1D5FA8' -draw 'rectangle 16,150 360,210' \
        -fill white -draw 'polygon 96,92 284,92 284,136 160,268 288,268 288,312 88,312 88,268 212,136 96,136' \
        -fill '#F28C28' -draw 'roundrectangle 88,326 288,344 9,9' \
        -resize "${size}x${size}" -define bmp:format=bmp4 "BMP:$out"
}
mark 48 logo.bmp
mark 128 welcome.bmp

# The hand pointer, 32x32 with its hot spot on the finger tip (x 10, y 1).
$IM -size 32x32 xc:none -stroke black -strokewidth 1 -fill white \
    -draw 'path "M 10,1 C 8,1 8,2 8,4 L 8,15 L 6,13 C 4,11 2,12 3,14 L 8,22 C 10,26 12,28 16,28 L 21,28 C 25,28 26,25 26,21 L 26,14 C 26,12 24,12 23,13 L 23,12 C 23,10 21,10 20,11 L 20,10 C 20,8 17,8 17,10 L 17,9 C 17,7 14,7 14,9 L 12,9 L 12,4 C 12,2 12,1 10,1 Z"' \
    -define icon:auto-resize=32 ICO:hand.ico
# An icon file becomes a cursor file by its type field and the hot spot.
python3 - <<'PY'
data = bytearray(open("hand.ico", "rb").read())
data[2:4] = (2).to_bytes(2, "little")        # 2 = cursor
data[10:12] = (10).to_bytes(2, "little")     # hot spot x
data[12:14] = (1).to_bytes(2, "little")      # hot spot y
open("hand.cur", "wb").write(data)
PY
rm hand.ico

#!/usr/bin/env bash
# Draws the small pictures of the "ani" folder that animations can move
# along a curve (48 × 48 pixels, transparent background). Needs ImageMagick;
# the pictures themselves are kept in the repository, so building does not.
# No time stamps go into the files: drawing them again gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/../ani"

draw() {  # name, drawing commands
  convert -size 48x48 xc:none -strokewidth 1.5 "${@:2}" \
          -define png:exclude-chunks=date,time "PNG32:$1.png"
}

draw ball   -fill '#d02020' -stroke '#600000' -draw 'circle 24,24 24,4' \
            -fill '#ffffffb0' -stroke none -draw 'ellipse 17,16 6,4 0,360'
draw hase   -fill '#b0a090' -stroke '#504030' -draw 'ellipse 18,12 4,11 0,360' -draw 'ellipse 28,12 4,11 0,360' \
            -draw 'ellipse 24,34 13,11 0,360' -draw 'circle 24,24 24,15' \
            -fill black -stroke none -draw 'circle 20,23 20,21.5' -draw 'circle 28,23 28,21.5' \
            -fill '#e08080' -draw 'circle 24,28 24,26.5'
draw fuchs  -fill '#e07020' -stroke '#603010' -draw 'polygon 6,8 18,18 30,18 42,8 40,26 24,44 8,26' \
            -fill white -stroke none -draw 'polygon 14,30 24,44 34,30 24,36' \
            -fill black -draw 'circle 18,24 18,22' -draw 'circle 30,24 30,22' -draw 'circle 24,42 24,40'
draw fisch  -fill '#3080d0' -stroke '#103060' -draw 'ellipse 22,24 16,10 0,360' -draw 'polygon 36,24 46,14 46,34' \
            -fill white -stroke black -draw 'circle 13,21 13,18' -fill black -draw 'circle 13,21 13,20'
draw auto   -fill '#2050c0' -stroke '#102050' -draw 'roundrectangle 3,22 45,36 4,4' -draw 'polygon 12,22 17,12 33,12 38,22' \
            -fill '#c0e0ff' -draw 'polygon 16,21 19,15 31,15 34,21' \
            -fill '#202020' -stroke black -draw 'circle 13,37 13,32' -draw 'circle 35,37 35,32'
draw virus  -stroke '#206020' -strokewidth 3 \
            -draw 'line 24,2 24,46' -draw 'line 2,24 46,24' -draw 'line 8,8 40,40' -draw 'line 8,40 40,8' \
            -fill '#40a040' -strokewidth 1.5 -draw 'circle 24,24 24,10' \
            -fill '#206020' -stroke none -draw 'circle 20,20 20,17' -draw 'circle 29,27 29,24'
draw tropfen -fill '#4090e0' -stroke '#104080' -draw 'path "M 24,3 C 30,16 38,24 38,32 A 14,14 0 0 1 10,32 C 10,24 18,16 24,3 Z"' \
            -fill '#ffffffa0' -stroke none -draw 'ellipse 18,32 3,6 0,360'

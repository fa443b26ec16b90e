#!/usr/bin/env bash
# Draws the simulator's avatar pictures: 130 x 156 JPEG portraits of made-up
# people (head, hair, shoulders on a coloured ground) and one gray silhouette
# for the club's default avatars. Run by hand with ImageMagick installed; the
# output in server/avatars/ is committed and embedded into vellora-server.
#
#   tools/make_portraits.sh            writes server/avatars/*.jpg
set -eu
cd "$(dirname "$0")/.."
out=server/avatars
mkdir -p "$out"
convert_bin=/usr/bin/convert
[ -x "$convert_bin" ] || convert_bin=convert

# portrait <file> <ground> <skin> <hair> <shirt> <long hair: 0|1>
portrait() {
  local file=$1 ground=$2 skin=$3 hair=$4 shirt=$5 long=$6
  local hairdraw="ellipse 65,50 34,30 180,360"
  [ "$long" = 1 ] && hairdraw="roundrectangle 29,36 101,108 14,14"
  "$convert_bin" -size 130x156 "gradient:${ground}-white" \
    -fill "$hair" -draw "$hairdraw" \
    -fill "$shirt" -draw "ellipse 65,160 58,42 0,360" \
    -fill "$skin" -draw "rectangle 56,96 74,124" \
    -fill "$skin" -draw "ellipse 65,68 28,35 0,360" \
    -fill "$hair" -draw "ellipse 65,42 29,15 180,360" \
    -fill '#2b2b2b' -draw "circle 54,66 57,66" -draw "circle 76,66 79,66" \
    -fill none -stroke '#8a3b2e' -strokewidth 2 -draw "arc 55,78 75,92 20,160" \
    -strip -quality 85 "$out/$file"
}

portrait portrait01.jpg '#7fa6d9' '#f1c8a5' '#5a3b1f' '#2f5d8a' 1
portrait portrait02.jpg '#9bd17f' '#e0ac85' '#1d1d1d' '#7a2f2f' 0
portrait portrait03.jpg '#d99f7f' '#f6d2b8' '#d8b25a' '#3f7f4f' 1
portrait portrait04.jpg '#b59bd9' '#c68c62' '#2a1a10' '#d9a441' 0
portrait portrait05.jpg '#d9d07f' '#f3cfb0' '#a0522d' '#444488' 1
portrait portrait06.jpg '#7fd9c8' '#8d5a3b' '#111111' '#c0c0c0' 0
portrait portrait07.jpg '#d97fae' '#f0c4a0' '#777777' '#335533' 0
portrait portrait08.jpg '#8fb3b3' '#eac09a' '#b03020' '#202040' 1

# The club's own stand-in for members without a picture.
"$convert_bin" -size 130x156 xc:'#d8d8d8' \
  -fill '#a8a8a8' -draw "ellipse 65,160 58,42 0,360" -draw "ellipse 65,68 28,35 0,360" \
  -strip -quality 85 "$out/default.jpg"

ls -l "$out"

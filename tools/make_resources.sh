#!/usr/bin/env bash
# Draws the pictures and the sound that the Windows program carries as
# resources: the program icons (1000 small, 1015 big), the two user-list
# icons (1100 picture pending, 1120 no picture), the ten placeholder
# portraits of the club's default avatars, the toaster's default picture and
# the notification sound. Run by hand with ImageMagick and python3; the
# output in src/resources/art/ is committed and the build only embeds it.
#
#   tools/make_resources.sh
set -eu
cd "$(dirname "$0")/.."
out=src/resources/art
mkdir -p "$out"
im=/usr/bin/convert
[ -x "$im" ] || im=convert
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The program icon: a speech bubble with a "V", drawn large and scaled down.
"$im" -size 256x256 xc:none \
  -fill '#1f6fb2' -draw "roundrectangle 16,24 240,196 48,48" \
  -draw "polygon 60,180 52,244 124,188" \
  -fill white -font DejaVu-Sans-Bold -pointsize 150 -gravity center -annotate +0-18 'V' \
  "$tmp/app.png"
"$im" "$tmp/app.png" -resize 16x16 "$out/app16.ico"
"$im" "$tmp/app.png" -resize 32x32 "$out/app32.ico"

# silhouette <file> <ground> <figure>: head and shoulders, 32 x 32.
silhouette() {
  "$im" -size 128x128 xc:"$2" \
    -fill "$3" -draw "ellipse 64,132 50,40 0,360" -draw "ellipse 64,52 24,28 0,360" \
    "$tmp/$1.png"
}
# 1100: the picture is not there yet.
silhouette pending '#e4e8ee' '#9aa3ae'
"$im" "$tmp/pending.png" -resize 32x32 "$out/pending32.ico"
# 1120: no picture could be made.
silhouette none '#eeeeee' '#b8b8b8'
"$im" "$tmp/none.png" -stroke '#c0392b' -strokewidth 12 -draw "line 20,20 108,108" -draw "line 108,20 20,108" \
  -resize 32x32 "$out/none32.ico"

# placeholder <name> <ground> <long hair: 0|1> <label>: the club's default
# avatar of one group, 130 x 156, a faceless figure with the group's ages.
placeholder() {
  local name=$1 ground=$2 long=$3 label=$4
  local hair="ellipse 65,56 33,30 180,360"
  [ "$long" = 1 ] && hair="roundrectangle 31,40 99,112 16,16"
  "$im" -size 130x156 "gradient:${ground}-white" \
    -fill '#7d8794' -draw "$hair" \
    -fill '#a9b2bd' -draw "ellipse 65,162 56,44 0,360" -draw "rectangle 57,96 73,124" \
    -draw "ellipse 65,70 27,33 0,360" \
    -fill '#7d8794' -draw "ellipse 65,46 28,14 180,360" \
    -fill '#33414f' -font DejaVu-Sans-Bold -pointsize 15 -gravity south -annotate +0+6 "$label" \
    -strip -quality 88 "$out/$name.jpg"
}
placeholder F_UNDER18 '#f2b8c6' 1 'under 18'
placeholder F_18_25 '#f5c99b' 1 '18-25'
placeholder F_25_35 '#c9e2a3' 1 '25-35'
placeholder F_35_45 '#a9d6e5' 1 '35-45'
placeholder F_OVER45 '#cdb8e6' 1 'over 45'
placeholder M_UNDER18 '#f2b8c6' 0 'under 18'
placeholder M_18_25 '#f5c99b' 0 '18-25'
placeholder M_25_35 '#c9e2a3' 0 '25-35'
placeholder M_35_45 '#a9d6e5' 0 '35-45'
placeholder M_OVER45 '#cdb8e6' 0 'over 45'

# Bitmap 1000: the toaster's picture when nobody's picture is shown,
# 130 x 156 at 24 bits per pixel.
"$im" -size 130x156 'gradient:#1f6fb2-#8fc3ea' \
  -fill white -draw "roundrectangle 17,34 113,104 18,18" -draw "polygon 36,100 30,128 64,104" \
  -fill '#1f6fb2' -font DejaVu-Sans-Bold -pointsize 54 -gravity center -annotate +0-9 'V' \
  -fill white -pointsize 16 -gravity south -annotate +0+10 'Vellora' \
  -type TrueColor -alpha off "BMP3:$out/toaster.bmp"

# Wave 1000: a short two-note chime, 16-bit mono at 22050 Hz.
python3 - "$out/notify.wav" <<'PY'
import math, struct, sys, wave
rate = 22050
samples = []
for freq, start, length in ((880.0, 0.0, 0.18), (1318.5, 0.12, 0.30)):
    first = int(start * rate)
    for i in range(int(length * rate)):
        t = i / rate
        amp = 0.35 * math.exp(-t * 9.0) * min(1.0, i / 60.0)
        value = amp * math.sin(2 * math.pi * freq * t)
        k = first + i
        while len(samples) <= k:
            samples.append(0.0)
        samples[k] += value
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767)))) for s in samples))
PY

ls -l "$out"

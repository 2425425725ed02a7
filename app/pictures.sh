#!/usr/bin/env bash
# Makes the program's pictures from Debian's free icon sets (famfamfam-flag-png, tango-icon-theme)
# into the folder given: the six direction pictures (two flags side by side, 50x12, on the colour
# the direction chooser shows through), the two status-line flags and the icons.
set -euo pipefail
out=$1
flags=/usr/share/flags/countries/16x11
tango=/usr/share/icons/Tango
mkdir -p "$out"
# rgb(240,0,0) is the see-through colour of the chooser's pictures: no flag pixel may hold it.
key='rgb(240,0,0)'
flag() { convert "$flags/$1.png" -alpha off -fill 'rgb(241,0,0)' -opaque "$key" "$out/flag-$1.png"; }
for f in gb ru tr; do flag $f; done
pair() {
  convert -size 50x12 "xc:$key" "$out/flag-$2.png" -geometry +6+0 -composite \
    "$out/flag-$3.png" -geometry +28+0 -composite -type TrueColor "BMP3:$out/$1.bmp"
}
pair et gb tr
pair er gb ru
pair re ru gb
pair rt ru tr
pair te tr gb
pair tr tr ru
convert "$out/flag-gb.png" -type TrueColor "BMP3:$out/gb.bmp"
convert "$out/flag-ru.png" -type TrueColor "BMP3:$out/ru.bmp"
convert "$tango/16x16/apps/locale.png" "$tango/32x32/apps/locale.png" "$out/vexa.ico"
convert "$tango/16x16/actions/go-bottom.png" "$out/minimise.ico"
convert "$tango/16x16/status/audio-volume-medium.png" "$out/speech.ico"

#!/bin/bash
# Regenerates the installer's icons and bitmaps in this folder from the drawing
# instructions below. The outputs are committed, so a build never needs
# ImageMagick; run this only after changing the artwork:
#
#   apt-get install imagemagick      # Debian 12's ImageMagick 6 (fonts-dejavu-core comes with it)
#   bash res/images/make-images.sh
#   bash res/images/check-images.sh
#
# Output is byte-for-byte repeatable on the same ImageMagick and font: no
# timestamps, comments or profiles are written.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

if ! convert -version 2>/dev/null | grep -q '^Version: ImageMagick'; then
  echo "make-images.sh: ImageMagick's convert is needed: apt-get install imagemagick" >&2
  exit 1
fi
if [[ ! -r $font ]]; then
  echo "make-images.sh: $font is missing: apt-get install fonts-dejavu-core" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Keeps dates, text chunks and colour profiles out of every file written.
plain=(-strip +set date:create +set date:modify -define 'png:exclude-chunks=date,time,tEXt,zTXt,iTXt')

# Shared colours.
ink='#3f4a5a'       # outlines, slot, chip
body='#c9d1dc'      # printer body
shine='#e4e9ef'     # printer top face
edge='#8a96a6'      # paper edges, chip pins
rule='#b7c0cc'      # printed lines on the sheet
blue='#1e73d8'      # arrow, spinner head
led='#2fb344'       # status light
face='rgb(240,240,240)'   # usual dialog face colour behind the logo

# ---------------------------------------------------------------------------
# app.ico: a printer with firmware (the arrow) going into it.
# Each size has its own drawing on whole pixels so that edges stay sharp;
# ImageMagick puts pixel centres on integer coordinates.
declare -A app

app[256]="
stroke-linejoin round
fill '#ffffff' stroke '$edge' stroke-width 6 rectangle 72,60 184,120
fill '$body' stroke '$ink' stroke-width 8 roundrectangle 20,104 236,204 22,22
stroke none fill '$shine' roundrectangle 28,112 228,140 14,14
fill '$ink' roundrectangle 52,168 204,182 5,5
fill '$led' circle 206,128 206,136
fill '#ffffff' stroke '$edge' stroke-width 6 rectangle 64,176 192,240
stroke '$rule' stroke-width 6 line 84,200 172,200 line 84,218 150,218
stroke '#ffffff' stroke-width 10 stroke-linejoin miter fill '$blue'
polygon 104,8 152,8 152,54 188,54 128,114 68,54 104,54
"

app[48]="
stroke none
fill '$edge' rectangle 12,8 35,22
fill '#ffffff' rectangle 14,10 33,22
fill '$ink' roundrectangle 2,19 45,38 5,5
fill '$body' roundrectangle 4,21 43,36 3,3
fill '$shine' roundrectangle 5,22 42,26 2,2
fill '$led' circle 38,24 38,25.4
fill '$ink' roundrectangle 8,30 39,33 1,1
fill '$edge' rectangle 10,32 37,47
fill '#ffffff' rectangle 12,33 35,45
fill '$rule' rectangle 15,37 31,38 rectangle 15,41 26,42
stroke '#ffffff' stroke-width 3 stroke-linejoin miter fill '#ffffff'
polygon 19.5,-2 27.5,-2 27.5,9.5 35.5,9.5 23.5,21.5 11.5,9.5 19.5,9.5
stroke none fill '$blue'
polygon 19.5,-2 27.5,-2 27.5,9.5 35.5,9.5 23.5,21.5 11.5,9.5 19.5,9.5
"

app[32]="
stroke none
fill '$edge' rectangle 8,5 23,15
fill '#ffffff' rectangle 9,6 22,15
fill '$ink' roundrectangle 1,13 30,25 3,3
fill '$body' roundrectangle 2,14 29,24 2,2
fill '$shine' roundrectangle 3,15 28,17 1,1
fill '$led' rectangle 25,16 26,17
fill '$ink' rectangle 5,20 26,22
fill '$edge' rectangle 7,21 24,31
fill '#ffffff' rectangle 8,22 23,30
fill '$rule' rectangle 10,25 21,25 rectangle 10,27 18,27
stroke '#ffffff' stroke-width 2 stroke-linejoin miter fill '#ffffff'
polygon 12.5,-2 18.5,-2 18.5,5.5 23.5,5.5 15.5,13.5 7.5,5.5 12.5,5.5
stroke none fill '$blue'
polygon 12.5,-2 18.5,-2 18.5,5.5 23.5,5.5 15.5,13.5 7.5,5.5 12.5,5.5
"

# At 16 pixels only hand-placed pixels look clean.
cat >"$work/app16.xpm" <<EOF
/* XPM */
static char *app16[] = {
"16 16 9 1",
"  c None",
"w c #ffffff",
"g c $edge",
"x c $rule",
"b c $blue",
"o c $ink",
"c c $body",
"h c $shine",
"l c $led",
"      wbbw      ",
"    ggwbbwgg    ",
"    gwwbbwwg    ",
"    wwwbbwww    ",
"    wbbbbbbw    ",
"    gwbbbbwg    ",
"    gwwbbwwg    ",
"  ooooowwooooo  ",
" ohhhhhhhhhhhho ",
" occcccccccclco ",
" occcccccccccco ",
" occoooooooocco ",
"  oogwwwwwwgoo  ",
"    gwxxxxwg    ",
"    gwwwwwwg    ",
"    gggggggg    ",
};
EOF

convert "$work/app16.xpm" -depth 8 "${plain[@]}" "PNG32:$work/app16.png"
for size in 32 48 256; do
  convert -size "${size}x$size" xc:none -draw "${app[$size]}" -depth 8 "${plain[@]}" "PNG32:$work/app$size.png"
done
# ImageMagick stores the 256 size as PNG inside the icon, the others as 32-bit BMP.
convert "$work"/app{16,32,48,256}.png "${plain[@]}" "ICO:$here/app.ico"

# ---------------------------------------------------------------------------
# progress1.ico .. progress4.ico: a chip inside a ring of eight segments whose
# dark head moves a quarter turn clockwise per frame, fading trail behind it.

progress_mvg() { # size frame
  awk -v S="$1" -v F="$2" -v pin="$edge" -v chip="$ink" '
    function mix(t) {  # from the pale ring colour (211,220,230) towards the head (30,115,216)
      return sprintf("#%02x%02x%02x", int(211 - 181*t + 0.5), int(220 - 105*t + 0.5), int(230 - 14*t + 0.5))
    }
    function rect(x0, y0, x1, y1) { printf "rectangle %d,%d %d,%d\n", x0, y0, x1, y1 }
    BEGIN {
      split("1 .78 .58 .42 .28 .16 .06 0", trail, " ")
      c = (S - 1) / 2
      if (S == 48) { r = 19.5; w = 6; n = 16; pins = 3; pitch = 5; len = 3 }
      else         { r = 13;   w = 4; n = 12; pins = 2; pitch = 6; len = 2 }
      print "fill none stroke-linecap butt stroke-width " w
      for (k = 0; k < 8; k++) {
        behind = (2 * F - k + 8) % 8
        a0 = -90 + 45 * k + 4
        printf "stroke '\''%s'\'' ellipse %.1f,%.1f %.1f,%.1f %d,%d\n", mix(trail[behind + 1]), c, c, r, r, a0, a0 + 37
      }
      printf "stroke none fill '\''%s'\''\n", pin
      lo = (S - n) / 2; hi = lo + n - 1
      for (i = 0; i < pins; i++) {
        p = int(c + (i - (pins - 1) / 2) * pitch)
        rect(p, lo - len, p + 1, lo - 1); rect(p, hi + 1, p + 1, hi + len)
        rect(lo - len, p, lo - 1, p + 1); rect(hi + 1, p, hi + len, p + 1)
      }
      printf "fill '\''%s'\'' roundrectangle %d,%d %d,%d 2,2\n", chip, lo, lo, hi, hi
      printf "fill '\''#6b7a8f'\'' circle %.1f,%.1f %.1f,%.1f\n", lo + 3.5, lo + 3.5, lo + 3.5, lo + 4.7
    }'
}

for frame in 0 1 2 3; do
  for size in 32 48; do
    convert -size "${size}x$size" xc:none -draw "$(progress_mvg "$size" "$frame")" -depth 8 "${plain[@]}" \
      "PNG32:$work/progress-$frame-$size.png"
  done
  convert "$work/progress-$frame-32.png" "$work/progress-$frame-48.png" "${plain[@]}" \
    "ICO:$here/progress$((frame + 1)).ico"
done

# ---------------------------------------------------------------------------
# The Arvane logo, 144 x 29: a blue rounded square holding a white "A",
# then the name. Drawn once with transparency; the three bitmaps derive from it.

convert -size 25x25 gradient:'#3d93ee-#1656a8' \
  \( -size 25x25 xc:black -fill white -draw "roundrectangle 0,0 24,24 5,5" \) \
  -alpha off -compose CopyOpacity -composite -compose over \
  -fill white -draw "fill-rule evenodd path 'M 4.5,21.5 L 10.3,3.5 L 13.7,3.5 L 19.5,21.5 L 15.9,21.5 L 15,18.6 L 9,18.6 L 8.1,21.5 Z M 10,15.6 L 14,15.6 L 12,9.4 Z'" \
  "$work/mark.png"
convert -size 144x29 xc:none "$work/mark.png" -geometry +5+2 -composite \
  -font "$font" -pointsize 24 -kerning 1 -fill '#1f3a5f' -annotate +37+23 Arvane \
  -depth 8 "PNG32:$work/logo.png"

# logo.bmp: the logo already laid on the face colour.
convert "$work/logo.png" -background "$face" -alpha remove +dither -colors 256 -type Palette \
  "${plain[@]}" -compress RLE "BMP3:$here/logo.bmp"

# logo-colour.bmp: the logo's own colours, not premultiplied; where the logo
# is fully transparent it holds the face colour, so it looks right even unblended.
convert "$work/logo.png" -background "$face" -alpha background -alpha off +dither -colors 256 -type Palette \
  "${plain[@]}" -compress RLE "BMP3:$here/logo-colour.bmp"

# logo-alpha.bmp: 8-bit with a grey palette in which the index is the opacity.
# Written by hand, because ImageMagick orders a palette as it pleases.
# shellcheck disable=SC2059  # the format is the octal escape of one byte
byte() { printf "\\$(printf %03o "$1")"; }
le16() { byte $(($1 & 255)); byte $((($1 >> 8) & 255)); }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
{
  width=144 height=29 pixels=$((144 * 29)) # rows of 144 bytes need no padding
  offset=$((14 + 40 + 256 * 4))
  printf 'BM'; le32 $((offset + pixels)); le32 0; le32 $offset
  le32 40; le32 $width; le32 $height; le16 1; le16 8; le32 0; le32 $pixels
  le32 2835; le32 2835; le32 256; le32 0
  for ((i = 0; i < 256; i++)); do
    byte $i; byte $i; byte $i; byte 0
  done
  # BMP rows go bottom-up.
  convert "$work/logo.png" -alpha extract -flip -depth 8 gray:-
} >"$here/logo-alpha.bmp"

#!/bin/bash
# Checks that the committed icons and bitmaps have the formats the resource
# script and the dialogs rely on, and that the blended logo's colour and alpha
# images really compose to the plain logo on the usual face colour.
# Needs only bash and coreutils. Usage: check-images.sh [folder]; exits 1 on a fault.
set -uo pipefail

dir=${1:-$(dirname "${BASH_SOURCE[0]}")}
faults=0
fault() { echo "check-images: $*" >&2; faults=$((faults + 1)); }

# Reads a file into B, one unsigned byte per element.
load() {
  B=()
  [[ -r $1 ]] || return 1
  mapfile -t B < <(od -An -v -tu1 -w1 "$1" | tr -d ' ')
}
u16() { echo $((B[$1] | B[$1 + 1] << 8)); }
u32() { echo $((B[$1] | B[$1 + 1] << 8 | B[$1 + 2] << 16 | B[$1 + 3] << 24)); }
s32() { local v; v=$(u32 "$1"); echo $((v >= 2147483648 ? v - 4294967296 : v)); }
be32() { echo $((B[$1] << 24 | B[$1 + 1] << 16 | B[$1 + 2] << 8 | B[$1 + 3])); }

W=144 H=29

# check_bmp NAME COMPRESSION: leaves the palette in PAL (0xRRGGBB) and the
# pixel indices in PIX, top row first. Returns 1 if the file is unusable.
check_bmp() {
  local name=$1 want=$2 f=$dir/$1
  PAL=() PIX=()
  if ! load "$f" || ((${#B[@]} < 54)); then fault "$name: missing or too short"; return 1; fi
  local size=${#B[@]} bad=0
  ((B[0] == 66 && B[1] == 77)) || { fault "$name: no BM signature"; return 1; }
  local filesize off hsize width height planes bits comp used
  filesize=$(u32 2) off=$(u32 10) hsize=$(u32 14) width=$(s32 18) height=$(s32 22)
  planes=$(u16 26) bits=$(u16 28) comp=$(u32 30) used=$(u32 46)
  ((filesize == size)) || { fault "$name: bfSize $filesize, file has $size bytes"; bad=1; }
  ((hsize == 40)) || { fault "$name: header size $hsize, want 40 (BITMAPINFOHEADER)"; bad=1; }
  ((width == W && height == H)) || { fault "$name: ${width}x$height, want ${W}x$H bottom-up"; bad=1; }
  ((planes == 1 && bits == 8)) || { fault "$name: $planes planes, $bits bits, want 1 and 8"; bad=1; }
  ((comp == want)) || { fault "$name: compression $comp, want $want"; bad=1; }
  ((used == 0)) && used=256
  ((used <= 256 && 54 + 4 * used <= off && off < size)) || { fault "$name: palette of $used at offset $off does not fit"; bad=1; }
  ((bad)) && return 1

  local i
  for ((i = 0; i < used; i++)); do
    PAL[i]=$((B[54 + 4 * i + 2] << 16 | B[54 + 4 * i + 1] << 8 | B[54 + 4 * i]))
  done

  local rows=() # bottom-up, as stored
  if ((comp == 0)); then
    ((off + W * H <= size)) || { fault "$name: pixel data cut short"; return 1; }
    local y
    for ((y = 0; y < H; y++)); do rows[y]="${B[*]:off + y * W:W}"; done
  else
    # Decodes the BI_RLE8 stream and insists that every row is exactly W wide.
    local p=$off x=0 y=0 row=() n v k done=0
    while ((!done)); do
      ((p + 1 < size)) || { fault "$name: RLE8 runs past the end of the file"; return 1; }
      n=${B[p]} v=${B[p + 1]}
      p=$((p + 2))
      if ((n > 0)); then
        ((x + n <= W)) || { fault "$name: RLE8 run overflows row $y"; return 1; }
        for ((k = 0; k < n; k++)); do row[x++]=$v; done
      elif ((v == 0 || v == 1)); then
        ((x == W)) || { fault "$name: RLE8 row $y has $x pixels"; return 1; }
        ((y < H)) || { fault "$name: RLE8 has more than $H rows"; return 1; }
        rows[y++]="${row[*]}"
        row=() x=0
        if ((v == 1)); then done=1; fi
        # an end of bitmap may follow the last end of line
        if ((!done && y == H)) && ((p + 1 < size && B[p] == 0 && B[p + 1] == 1)); then done=1; fi
      elif ((v == 2)); then
        fault "$name: RLE8 delta escapes leave pixels undefined"
        return 1
      else
        ((x + v <= W && p + v <= size)) || { fault "$name: RLE8 literal overflows row $y"; return 1; }
        for ((k = 0; k < v; k++)); do row[x++]=${B[p + k]}; done
        p=$((p + v + (v & 1)))
      fi
    done
    ((y == H)) || { fault "$name: RLE8 ends after $y of $H rows"; return 1; }
  fi

  local r px
  for ((r = H - 1; r >= 0; r--)); do
    for px in ${rows[r]}; do
      ((px < used)) || { fault "$name: pixel index $px beyond a palette of $used"; return 1; }
      PIX+=("$px")
    done
  done
  return 0
}

# check_ico NAME SIZE...: the icon holds exactly these sizes, each 32 bits
# per pixel with a real alpha channel (stored as BMP, or PNG for 256).
check_ico() {
  local name=$1 f=$dir/$1
  shift
  local want=("$@")
  if ! load "$f" || ((${#B[@]} < 6)); then fault "$name: missing or too short"; return; fi
  local size=${#B[@]} count i e w h bits bytes off sig
  count=$(u16 4)
  (($(u16 0) == 0 && $(u16 2) == 1)) || { fault "$name: not an icon directory"; return; }
  ((count == ${#want[@]} && 6 + 16 * count <= size)) || { fault "$name: $count images, want ${#want[@]}"; return; }
  for ((i = 0; i < count; i++)); do
    e=$((6 + 16 * i))
    w=${B[e]} h=${B[e + 1]} bits=$(u16 $((e + 6))) bytes=$(u32 $((e + 8))) off=$(u32 $((e + 12)))
    ((w == 0)) && w=256
    ((h == 0)) && h=256
    local what="$name image $i (${w}x$h)"
    ((w == want[i] && h == want[i])) || { fault "$what: want ${want[i]}x${want[i]}"; continue; }
    ((bits == 32)) || { fault "$what: directory says $bits bits, want 32"; continue; }
    ((off + bytes <= size && bytes >= 40)) || { fault "$what: data outside the file"; continue; }
    sig="${B[*]:off:8}"
    if [[ $sig == "137 80 78 71 13 10 26 10" ]]; then
      (($(be32 $((off + 16))) == w && $(be32 $((off + 20))) == h)) || fault "$what: PNG header disagrees on size"
      ((B[off + 24] == 8 && B[off + 25] == 6)) || fault "$what: PNG is not 8-bit RGBA"
      continue
    fi
    (($(u32 off) == 40 && $(s32 $((off + 4))) == w && $(s32 $((off + 8))) == 2 * h)) ||
      { fault "$what: bitmap header disagrees on size"; continue; }
    (($(u16 $((off + 14))) == 32 && $(u32 $((off + 16))) == 0)) || { fault "$what: bitmap is not uncompressed 32-bit"; continue; }
    local mask=$((((w + 31) >> 5) * 4 * h)) # 1-bit rows padded to 4 bytes
    ((bytes >= 40 + 4 * w * h + mask)) || { fault "$what: $bytes bytes cannot hold colour and mask"; continue; }
    # All-zero alpha would make Windows fall back to the mask and draw a box.
    local a clear=0 solid=0
    for ((a = off + 40 + 3; a < off + 40 + 4 * w * h; a += 4)); do
      ((B[a] == 0)) && clear=1
      ((B[a] == 255)) && solid=1
    done
    ((clear && solid)) || fault "$what: alpha channel lacks transparent or opaque pixels"
  done
}

check_ico app.ico 16 32 48 256
for n in 1 2 3 4; do check_ico "progress$n.ico" 32 48; done

logo_pix=() colour_pix=() alpha=()
check_bmp logo.bmp 1 && logo_pal=("${PAL[@]}") logo_pix=("${PIX[@]}")
check_bmp logo-colour.bmp 1 && colour_pal=("${PAL[@]}") colour_pix=("${PIX[@]}")
if check_bmp logo-alpha.bmp 0; then
  for ((i = 0; i < 256; i++)); do
    ((PAL[i] == i * 0x10101)) || { fault "logo-alpha.bmp: palette entry $i is not grey $i"; break; }
  done
  alpha=("${PIX[@]}")
fi

# The blended logo over face colour 240 must match the plain logo, allowing
# for each 256-colour palette having rounded the colours a little.
if ((${#alpha[@]} && ${#logo_pix[@]} && ${#colour_pix[@]})); then
  face=240 tolerance=3 worst=0 seen=" "
  for ((i = 0; i < W * H; i++)); do
    a=${alpha[i]} c=${colour_pal[colour_pix[i]]} l=${logo_pal[logo_pix[i]]}
    [[ $seen == *" $a "* ]] || { ((a == 0 || a == 255)) && seen+="$a "; }
    for shift in 0 8 16; do
      expect=$((((c >> shift & 255) * a + face * (255 - a) + 127) / 255))
      d=$((expect - (l >> shift & 255)))
      ((d < 0)) && d=$((-d))
      ((d > worst)) && worst=$d
    done
  done
  ((worst <= tolerance)) || fault "blending logo-colour.bmp by logo-alpha.bmp onto grey $face is off logo.bmp by up to $worst"
  [[ $seen == *" 0 "* && $seen == *" 255 "* ]] || fault "logo-alpha.bmp is not both transparent and opaque somewhere"
fi

if ((faults)); then
  echo "check-images: $faults fault(s)" >&2
  exit 1
fi
echo "check-images: all icons and bitmaps are well-formed"

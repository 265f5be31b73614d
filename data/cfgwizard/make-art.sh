#!/usr/bin/env bash
# Draws the wizard's artwork with ImageMagick: the side picture (168 x 280) and the header picture
# (210 x 54), 256-colour bitmaps with the product's Chinese name as lettering, and the window icon
# (32 x 32 and 16 x 16, 256 colours). The outputs are committed; run this again after a change.
set -euo pipefail
cd "$(dirname "$0")"
font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
name="青岚拼音输入法"
purple="#5b2a86"
dots="#8c5cb8"
orange="#f39a1e"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A keyboard seen from above: a grey case with three rows of keys and a space bar.
# keyboard X Y W H -> ImageMagick draw primitives
keyboard() {
  local x=$1 y=$2 w=$3 h=$4 out="" cols=10 rows=3 i j kx ky kw kh
  out+="fill #d8d8d8 stroke #404040 stroke-width 1 roundrectangle $x,$y $((x + w - 1)),$((y + h - 1)) 3,3 "
  kw=$(((w - 4) / cols)); kh=$(((h - 4) / (rows + 1)))
  out+="fill #ffffff stroke #606060 "
  for ((j = 0; j < rows; j++)); do
    for ((i = 0; i < cols - j; i++)); do
      kx=$((x + 2 + i * kw + j * kw / 2)); ky=$((y + 2 + j * kh))
      out+="rectangle $kx,$ky $((kx + kw - 2)),$((ky + kh - 2)) "
    done
  done
  ky=$((y + 2 + rows * kh))
  out+="rectangle $((x + 2 + 2 * kw)),$ky $((x + 2 + 8 * kw - 2)),$((ky + kh - 2)) "
  printf '%s' "$out"
}

# A grid of light dots over a region.
dotgrid() {
  local x0=$1 y0=$2 x1=$3 y1=$4 out="fill $dots stroke none " x y
  for ((y = y0; y <= y1; y += 6)); do
    for ((x = x0 + (y / 6 % 2) * 3; x <= x1; x += 6)); do
      out+="rectangle $x,$y $((x + 1)),$((y + 1)) "
    done
  done
  printf '%s' "$out"
}

to_bmp8() {
  # BMP3 with a 256-entry palette, bottom-up, as the window toolkit loads from resources.
  convert "$1" -depth 8 -colors 255 -type Palette -define bmp:format=bmp3 -compress none "BMP3:$2"
}

# Side picture: orange bars over white, the name near the top, a purple stepped block with a dotted
# pattern, and a keyboard at the lower left.
steps="path 'M 64,280 L 64,236 L 96,236 L 96,200 L 124,200 L 124,164 L 168,164 L 168,280 Z'"
convert -size 168x280 xc:white \
  -fill "$orange" -draw "rectangle 146,0 151,279 rectangle 156,0 158,279 rectangle 162,0 163,279" \
  -fill "$purple" -draw "$steps" \
  -draw "$(dotgrid 66 240 166 278) $(dotgrid 98 204 166 236) $(dotgrid 126 168 166 200)" \
  -draw "$(keyboard 8 214 92 50)" \
  -font "$font" -pointsize 19 -fill black -stroke none -annotate +8+42 "$name" \
  "$tmp/side.png"
to_bmp8 "$tmp/side.png" wizside.bmp

# Header picture: the name at the left, a purple band with a keyboard at the right. Its white
# ground is drawn transparent on the pages.
convert -size 210x54 xc:white \
  -fill "$purple" -draw "rectangle 128,0 209,53" \
  -draw "$(dotgrid 130 2 208 52)" \
  -draw "$(keyboard 138 10 64 34)" \
  -font "$font" -pointsize 16 -fill black -stroke none -annotate +4+34 "$name" \
  "$tmp/header.png"
to_bmp8 "$tmp/header.png" wizheader.bmp

# Icon: the first character of the name in white on a purple tile, over an orange bar.
for s in 32 16; do
  pt=$((s * 3 / 4))
  convert -size ${s}x${s} xc:none \
    -fill "$purple" -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $((s / 6)),$((s / 6))" \
    -fill "$orange" -draw "rectangle 0,$((s - s / 6)) $((s - 1)),$((s - 1))" \
    -font "$font" -pointsize $pt -fill white -gravity center -annotate +0-1 "青" \
    -background white -alpha remove -colors 255 -type Palette "BMP3:$tmp/icon$s.bmp"
done
convert "$tmp/icon32.bmp" "$tmp/icon16.bmp" -colors 255 kvcfgwiz.ico

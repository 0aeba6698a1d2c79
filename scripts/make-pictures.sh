#!/bin/sh
# Draws the catch-phrase pictures (data/CPhrase) and the background pictures
# (data/bkimages) delivered beside the program. Needs ImageMagick's convert
# and the IPA fonts (fonts-ipafont, fonts-ipaexfont). Re-running replaces the
# pictures with the same ones.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
phrases="$root/data/CPhrase"
backgrounds="$root/data/bkimages"
mkdir -p "$phrases" "$backgrounds"
rm -f "$phrases"/*.jpg "$backgrounds"/*.jpg "$backgrounds"/*.bmp

gothic=$(fc-match -f '%{file}' 'IPAexGothic')
mincho=$(fc-match -f '%{file}' 'IPAexMincho')
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# ---- Catch phrases -----------------------------------------------------------
# A placed picture takes its own pixel size on the worksheet (5 pixels per
# millimetre), so a phrase is made 200-300 pixels wide: 40-60 mm on the card.
# Each is drawn at four times that size and reduced, which gives clean,
# evenly smoothed edges; JPEG without chroma subsampling keeps coloured text
# sharp.
S=4

# text FONT SIZE COLOUR TEXT [convert options]: a line of text, at S times size.
text() {
  font=$1 size=$2 colour=$3 words=$4
  shift 4
  convert -background white -fill "$colour" -font "$font" -pointsize $((size * S)) "$@" label:"$words" \
    -trim +repage "miff:-"
}

# finish FILE: the drawing on stdin, trimmed, with a white margin, reduced.
finish() {
  convert "miff:-" -trim +repage -bordercolor white -border $((5 * S)) -filter Lanczos -resize 25% \
    -type TrueColor -sampling-factor 1x1 -quality 95 -strip "$phrases/$1"
}

# plain FILE FONT SIZE COLOUR TEXT [convert options]
plain() {
  file=$1
  shift
  text "$@" | finish "$file"
}

# rule WIDTH COLOUR: a thin ornamental rule (final pixels).
rule() {
  convert -size $(($1 * S))x$((5 * S)) xc:white -fill "$2" \
    -draw "rectangle 0,$((2 * S)) $(($1 * S)),$((2 * S + S))" \
    -draw "translate $(($1 * S / 2)),$((2 * S + S / 2)) rotate 45 rectangle -$((2 * S)),-$((2 * S)) $((2 * S)),$((2 * S))" \
    "miff:-"
}

# Greetings and thanks.
text "$mincho" 36 '#1f3a68' 'はじめまして' > "$tmp/a.miff"
rule 150 '#b08d3c' > "$tmp/b.miff"
convert "$tmp/a.miff" -size 1x$((6 * S)) xc:white "$tmp/b.miff" -gravity center -background white -append "miff:-" |
  finish hajimemashite.jpg
plain yoroshiku.jpg "$mincho" 22 '#303030' 'よろしくお願いいたします'
text "$mincho" 26 '#1a3a7a' 'ありがとうございます' > "$tmp/a.miff"
rule 120 '#8fa6cf' > "$tmp/b.miff"
convert "$tmp/a.miff" -size 1x$((5 * S)) xc:white "$tmp/b.miff" -gravity center -background white -append "miff:-" |
  finish thanks.jpg
plain maido.jpg "$gothic" 22 '#8a4a10' '毎度ありがとうございます'
plain kokoro.jpg "$mincho" 46 '#8a1020' '心をこめて'
plain iten.jpg "$mincho" 22 '#224466' 'このたび移転いたしました'

# Openings: a red banner, and an English headline over its reading.
convert -background '#c8102e' -fill white -font "$gothic" -pointsize $((48 * S)) -stroke white -strokewidth $S \
  label:'新装開店' -trim +repage -bordercolor '#c8102e' -border $((14 * S))x$((6 * S)) \
  -bordercolor '#f2c4cc' -border $S -bordercolor '#c8102e' -border $((2 * S)) "miff:-" | finish shinsou.jpg
text "$gothic" 34 '#d04010' 'GRAND OPEN' -kerning $((4 * S)) -stroke '#d04010' -strokewidth $S > "$tmp/a.miff"
text "$gothic" 17 '#603010' 'グランドオープン' -kerning $((3 * S)) > "$tmp/b.miff"
convert "$tmp/a.miff" -size 1x$((5 * S)) xc:white "$tmp/b.miff" -gravity center -background white -append "miff:-" |
  finish grandopen.jpg

# Calls to action.
text "$gothic" 22 '#205a20' 'お気軽にご相談ください' > "$tmp/a.miff"
w=$(identify -format '%w' "$tmp/a.miff")
h=$(identify -format '%h' "$tmp/a.miff")
W=$((w + 20 * S)) H=$((h + 14 * S))
convert -size ${W}x${H} xc:white -fill none -stroke '#5f9a5f' -strokewidth $((2 * S)) \
  -draw "roundrectangle $((S + S)),$((S + S)) $((W - 2 * S - 1)),$((H - 2 * S - 1)) $((10 * S)),$((10 * S))" \
  "$tmp/a.miff" -gravity center -composite "miff:-" | finish soudan.jpg
text "$gothic" 22 '#0b5d8a' 'ご予約はQRコードから →' | finish qr.jpg
text "$gothic" 20 '#333333' 'ご予約・お問い合わせは' > "$tmp/a.miff"
text "$gothic" 20 '#333333' 'お気軽にどうぞ' > "$tmp/b.miff"
convert "$tmp/a.miff" -size 1x$((5 * S)) xc:white "$tmp/b.miff" -gravity center -background white -append "miff:-" |
  finish yoyaku.jpg
text "$gothic" 23 '#333333' '本カードご持参で' > "$tmp/a.miff"
text "$gothic" 52 '#d01c1c' '10%OFF' -stroke '#d01c1c' -strokewidth $S > "$tmp/b.miff"
convert "$tmp/a.miff" -size 1x$((3 * S)) xc:white "$tmp/b.miff" -gravity center -background white -append "miff:-" |
  finish waribiki.jpg

# Seasons.
plain kinga.jpg "$mincho" 50 '#b01818' '謹賀新年'
plain shochu.jpg "$mincho" 22 '#1660a0' '暑中お見舞い申し上げます'

# ---- Backgrounds -------------------------------------------------------------
# A card of 91 x 55 mm at 300 dpi, stretched over the whole card; light enough
# for black text on top. Each design comes as a bitmap and as a JPEG.
BW=1075 BH=650

bg() { # name: the drawing on stdin
  convert "miff:-" -resize "${BW}x${BH}!" -type TrueColor -strip "$tmp/bg.miff"
  convert "$tmp/bg.miff" "BMP3:$backgrounds/$1.bmp"
  convert "$tmp/bg.miff" -sampling-factor 1x1 -quality 92 "$backgrounds/$1.jpg"
}

convert -size ${BW}x${BH} gradient:'#d6eaff'-'#ffffff' \
  -fill '#ffffff' -draw "ellipse 830,120 150,38 0,360" -draw "ellipse 930,100 110,44 0,360" \
  -draw "ellipse 200,180 120,30 0,360" -blur 0x12 "miff:-" | bg sky
convert -size ${BW}x${BH} gradient:'#ffe2c4'-'#fffaf3' "miff:-" | bg sunset
convert -size ${BW}x${BH} xc:'#f6f0e1' -seed 7 -attenuate 0.3 +noise Multiplicative -blur 0x0.8 \
  \( -size ${BW}x${BH} xc:none -seed 11 +noise Random -channel A -threshold 99.6% +channel \
  -fill '#e6dcc4' -colorize 100 -motion-blur 0x14+30 \) -composite "miff:-" | bg washi
convert -size ${BW}x${BH} xc:white -fill '#e8f2e0' \
  -draw "rectangle 0,0 $BW,42" -draw "rectangle 0,$((BH - 42)) $BW,$BH" \
  -fill '#b8d8a8' -draw "rectangle 0,42 $BW,49" -draw "rectangle 0,$((BH - 49)) $BW,$((BH - 42))" "miff:-" | bg stripe
convert -size 44x44 xc:white -fill '#fbe1ea' -draw "circle 22,22 22,29" -write mpr:dot +delete \
  -size ${BW}x${BH} tile:mpr:dot "miff:-" | bg dots
convert -size ${BW}x${BH} xc:white -fill '#d8e6f6' -draw "circle $BW,$BH $BW,$((BH - 320))" \
  -fill '#eaf1fa' -draw "circle 0,0 0,210" "miff:-" | bg corner

# Cherry petals drifting from the top-left corner.
petals=""
for p in 60,70,20 150,40,65 110,150,-30 240,95,40 40,230,80 330,50,10 200,210,-60 400,130,25 90,330,50 300,280,-15; do
  x=${p%%,*} rest=${p#*,} y=${rest%%,*} a=${rest#*,}
  petals="$petals -draw \"translate $x,$y rotate $a ellipse 0,0 22,12 0,360\""
done
eval convert -size ${BW}x${BH} gradient:'#fff7f9'-'#ffffff' -fill "'#f9d5e0'" $petals \
  -fill "'#fbe4ec'" -draw "'translate 960,560 rotate 30 ellipse 0,0 22,12 0,360'" \
  -draw "'translate 1010,600 rotate -40 ellipse 0,0 18,10 0,360'" "miff:-" | bg sakura

# Waves along the bottom edge.
waves=""
for base in 520 556 592 628; do
  points=$(awk -v b="$base" 'BEGIN { for (x = 0; x <= 1075; x += 5) printf "%d,%.1f ", x, b + 9 * sin(x / 34.0) }')
  waves="$waves -draw \"polyline $points\""
done
eval convert -size ${BW}x${BH} xc:white -fill none -stroke "'#c9d8ee'" -strokewidth 5 $waves "miff:-" | bg wave

# A pale leaf in the bottom-right corner over a green wash.
convert -size ${BW}x${BH} gradient:'#ffffff'-'#edf6e6' \
  -fill '#dcedd2' -draw "translate 930,520 rotate -35 ellipse 0,0 190,80 0,360" \
  -stroke '#c8e0ba' -strokewidth 5 -draw "translate 930,520 rotate -35 line -190,0 190,0" "miff:-" | bg leaf

# An ivory card with a double gold frame.
convert -size ${BW}x${BH} xc:'#fffdf6' -fill none -stroke '#d8c48a' -strokewidth 6 \
  -draw "rectangle 28,28 $((BW - 29)),$((BH - 29))" -strokewidth 2 \
  -draw "rectangle 42,42 $((BW - 43)),$((BH - 43))" "miff:-" | bg frame

#!/bin/sh
# Draws the catch-phrase pictures (data/CPhrase) and the background pictures
# (data/bkimages) delivered beside the program. Needs ImageMagick's convert
# and a Japanese font (IPA fonts). Re-running replaces the pictures.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
phrases="$root/data/CPhrase"
backgrounds="$root/data/bkimages"
mkdir -p "$phrases" "$backgrounds"

gothic=$(fc-match -f '%{file}' 'IPAexGothic')
mincho=$(fc-match -f '%{file}' 'IPAexMincho')

# A catch phrase: text on white, sized at 5 pixels per millimetre like the
# worksheet, so a phrase is about 40-60 mm wide on the card.
phrase() { # file font size colour text [extra convert options]
  file=$1 font=$2 size=$3 colour=$4 text=$5
  shift 5
  convert -background white -fill "$colour" -font "$font" -pointsize "$size" "$@" label:"$text" \
    -bordercolor white -border 6 -type TrueColor -quality 88 -strip "$phrases/$file"
}

phrase thanks.jpg "$mincho" 30 '#1a3a7a' 'ありがとうございます'
phrase kokoro.jpg "$mincho" 34 '#8a1020' '心をこめて'
phrase soudan.jpg "$gothic" 24 '#205a20' 'お気軽にご相談ください'
phrase open.jpg "$gothic" 40 '#d04010' 'NEW OPEN!' -stroke '#802000' -strokewidth 1
phrase yoroshiku.jpg "$mincho" 28 '#303030' 'よろしくお願いします'
phrase kaiten.jpg "$mincho" 44 '#b01818' '祝 開店'

# Backgrounds: card-sized (91 x 55 mm, 455 x 275 pixels), light enough for
# text on top.
bg() { # file convert-arguments...
  file=$1
  shift
  convert "$@" -type TrueColor -quality 85 -strip "$backgrounds/$file"
}

bg sky.jpg -size 455x275 gradient:'#dfefff'-'#ffffff'
bg sunset.jpg -size 455x275 gradient:'#ffe4c8'-'#fff8f0'
bg washi.jpg -size 455x275 xc:'#f7f1e3' -attenuate 0.35 +noise Multiplicative -blur 0x0.6
bg stripe.jpg -size 455x275 xc:white -fill '#e8f2e0' \
  -draw 'rectangle 0,0 455,18' -draw 'rectangle 0,257 455,275' \
  -fill '#b8d8a8' -draw 'rectangle 0,18 455,21' -draw 'rectangle 0,254 455,257'
bg dots.jpg -size 455x275 pattern:circles -fill '#fde8ef' -opaque black -fill white -opaque white
bg corner.jpg -size 455x275 xc:white -fill '#d8e6f6' -draw 'circle 455,275 455,140' \
  -fill '#eaf1fa' -draw 'circle 0,0 0,90'

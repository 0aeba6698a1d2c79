#!/usr/bin/env bash
# Printing an A4 sheet of ten 91 x 55 mm business cards to PDF: Tessolo's
# --print-pdf (600 dpi) against gLabels' glabels-3-batch, on the same card: an
# 8-megapixel photograph as the background, a frame, a circle, a line and two
# lines of Japanese text. Each runs three times; the table gives the median
# wall time, the median peak memory and the PDF size, and their ratios.
# Not part of CI (it installs the peer's Debian package when missing).
#
#   bench/print-vs-peer.sh [BUILD_DIR]   (default build/bench, Release with TESSOLO_BENCH=ON)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build/bench}
RUNS=3

source "$ROOT/bench/peer-common.sh"
need_peer_tools
need_build PrintBench

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# The card, made by the program's own code: card.tsl and photo.jpg.
QT_QPA_PLATFORM=offscreen "$BUILD/bin/PrintBench" --write-card "$WORK"

# The same card for gLabels: a user template of the 10-up sheet and the
# same objects in millimetres (the worksheet's 0.2 mm pixels; a Tessolo
# font of N points is N * 4 / 3 worksheet pixels high, so 18 and 10 points
# there are 13.6 and 7.4 points here).
cat >"$WORK/card.glabels" <<EOF
<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Tessolo" part="bench-10up" size="A4" description="91 x 55 mm business card, 10 up">
    <Meta category="business-card"/>
    <Label-rectangle id="0" width="91mm" height="55mm" round="0mm" x_waste="0mm" y_waste="0mm">
      <Markup-margin size="0mm"/>
      <Layout nx="2" ny="5" x0="14mm" y0="11mm" dx="91mm" dy="55mm"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-image x="0mm" y="0mm" w="91mm" h="55mm" lock_aspect_ratio="False" src="$WORK/photo.jpg"
                  a0="1" a1="0" a2="0" a3="1" a4="0" a5="0"/>
    <Object-box x="1.6mm" y="1.6mm" w="87.6mm" h="51.6mm" lock_aspect_ratio="False" line_width="0.4mm"
                line_color="0x000080ff" fill_color="0x00000000" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False"/>
    <Object-ellipse x="74mm" y="6mm" w="10mm" h="10mm" lock_aspect_ratio="True" line_width="0.2mm"
                    line_color="0xff0000ff" fill_color="0xff0000ff" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False"/>
    <Object-line x="6mm" y="35mm" dx="78mm" dy="0mm" line_width="0.2mm" line_color="0xffffffff"
                 a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False"/>
    <Object-text x="6mm" y="24mm" w="60mm" h="9mm" justify="Left" valign="Top" auto_shrink="False"
                 a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False">
      <Span color="0xffffffff" font_family="IPAexMincho" font_size="13.6" font_weight="Regular" font_italic="False" line_spacing="1">山田　太郎</Span>
    </Object-text>
    <Object-text x="6mm" y="38mm" w="70mm" h="6mm" justify="Left" valign="Top" auto_shrink="False"
                 a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False">
      <Span color="0xffffffff" font_family="IPAexMincho" font_size="7.4" font_weight="Regular" font_italic="False" line_spacing="1">株式会社テッソロ　営業部</Span>
    </Object-text>
  </Objects>
</Glabels-document>
EOF

photo_mp=$(QT_QPA_PLATFORM=offscreen "$BUILD/bin/tessolo" --info "$WORK/card.tsl" |
  python3 -c 'import json,sys; p=json.load(sys.stdin)["background"]["picture"]; print("%dx%d" % (p["width"], p["height"]))')
echo "Card: 91 x 55 mm, 10 up on A4, background photo $photo_mp ($(stat -c %s "$WORK/photo.jpg") bytes JPEG)"
echo "Runs: $RUNS each, medians"
echo

read -r ours_t ours_kb < <(cd "$WORK" && QT_QPA_PLATFORM=offscreen measure "$BUILD/bin/tessolo" --print-pdf ours.pdf card.tsl)
read -r peer_t peer_kb < <(cd "$WORK" && measure glabels-3-batch -o peer.pdf card.glabels)

for pdf in ours peer; do
  pdfinfo "$WORK/$pdf.pdf" | grep -q "^Pages: *1$" || { echo "$pdf.pdf is not a one-page PDF" >&2; exit 1; }
done

compare "$ours_t" "$ours_kb" "$peer_t" "$peer_kb"

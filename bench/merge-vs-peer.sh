#!/usr/bin/env bash
# A mail merge of 1,000 staff rows to PDF: Tessolo's --print-pdf --merge
# --merge-layout cell (600 dpi) against gLabels' glabels-3-batch, on the same
# card, ten to an A4 sheet: a frame, the name and title in Mincho, the phone
# and mail in Gothic and a 22 mm QR code of the row's MECARD. The list comes
# from bench/make-staff-list.py. Each runs three times; the table gives the
# median wall time, the median peak memory and the PDF size, and their
# ratios, then checks that both wrote 100 pages and that the text is text.
# Not part of CI (it installs the peer's Debian package when missing).
#
#   bench/merge-vs-peer.sh [BUILD_DIR]   (default build/bench, Release with TESSOLO_BENCH=ON)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build/bench}
RUNS=3
ROWS=1000

source "$ROOT/bench/peer-common.sh"
need_peer_tools
need_build MergeBench

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

python3 "$ROOT/bench/make-staff-list.py" "$ROWS" "$WORK/staff.csv"
# The card, made by the program's own code.
QT_QPA_PLATFORM=offscreen "$BUILD/bin/MergeBench" --write-card "$WORK"

# The same card for gLabels, in millimetres (the worksheet's 0.2 mm pixels;
# a Tessolo font of N points is N * 4 / 3 worksheet pixels high, so 14, 9
# and 8 points there are 10.6, 6.8 and 6.0 points here).
span() { # font size text...
  echo "<Span color=\"0x000000ff\" font_family=\"$1\" font_size=\"$2\" font_weight=\"Regular\" font_italic=\"False\" line_spacing=\"1\">$3</Span>"
}
text() { # x y w h span
  echo "<Object-text x=\"$1\" y=\"$2\" w=\"$3\" h=\"$4\" justify=\"Left\" valign=\"Top\" auto_shrink=\"False\" a0=\"1\" a1=\"0\" a2=\"0\" a3=\"1\" a4=\"0\" a5=\"0\" shadow=\"False\">$5</Object-text>"
}
cat >"$WORK/card.glabels" <<EOF
<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Tessolo" part="merge-10up" size="A4" description="91 x 55 mm business card, 10 up">
    <Meta category="business-card"/>
    <Label-rectangle id="0" width="91mm" height="55mm" round="0mm" x_waste="0mm" y_waste="0mm">
      <Markup-margin size="0mm"/>
      <Layout nx="2" ny="5" x0="14mm" y0="11mm" dx="91mm" dy="55mm"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-box x="1.6mm" y="1.6mm" w="87.6mm" h="51.6mm" lock_aspect_ratio="False" line_width="0.4mm"
                line_color="0x000080ff" fill_color="0x00000000" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False"/>
    $(text 4.8mm 8mm 60mm 8mm "$(span IPAexMincho 10.6 '<Field name="氏名"/>')")
    $(text 4.8mm 18mm 60mm 6mm "$(span IPAexMincho 6.8 '<Field name="役職"/>')")
    $(text 4.8mm 36mm 60mm 5mm "$(span IPAexGothic 6.0 'TEL <Field name="電話"/>')")
    $(text 4.8mm 41mm 60mm 5mm "$(span IPAexGothic 6.0 '<Field name="メール"/>')")
    <Object-barcode x="65mm" y="28mm" w="22mm" h="22mm" backend="libqrencode" style="IEC18004" text="False"
                    checksum="True" color="0x000000ff" field="MECARD" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0"/>
  </Objects>
  <Merge type="Text/Comma/Line1Keys" src="$WORK/staff.csv"/>
</Glabels-document>
EOF


echo "Job: $ROWS staff rows, 91 x 55 mm cards 10 to an A4 sheet, one row to a card; runs: $RUNS each, medians"
echo
echo -n "Tessolo "
read -r ours_t ours_kb < <(cd "$WORK" && QT_QPA_PLATFORM=offscreen measure "$BUILD/bin/tessolo" --print-pdf ours.pdf card.tsl \
  --merge staff.csv --merge-layout cell)
echo -n "gLabels "
read -r peer_t peer_kb < <(cd "$WORK" && measure glabels-3-batch -o peer.pdf card.glabels)

echo
compare "$ours_t" "$ours_kb" "$peer_t" "$peer_kb"

echo
last=$(sed -n "$((ROWS + 1))p" "$WORK/staff.csv" | cut -d, -f4)
for pdf in ours peer; do
  pages=$(pdfinfo "$WORK/$pdf.pdf" | awk '/^Pages:/ {print $2}')
  found=$(pdftotext -f "$pages" -l "$pages" "$WORK/$pdf.pdf" - | grep -c "$last" || true)
  images=$(pdfimages -list "$WORK/$pdf.pdf" 2>/dev/null | awk 'NR > 2 {print $11}' | sort -u | wc -l)
  echo "$pdf.pdf: $pages pages; \"$last\" found as text on the last page: $found; pictures stored: $images"
done

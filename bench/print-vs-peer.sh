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

need_package() {
  local cmd=$1 package=$2
  if ! command -v "$cmd" >/dev/null 2>&1 && [ ! -x "$cmd" ]; then
    echo "Installing $package ..."
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get install -y -q "$package" >/dev/null
  fi
}
need_package glabels-3-batch glabels
need_package /usr/bin/time time
need_package pdfinfo poppler-utils

if [ ! -x "$BUILD/bin/tessolo" ] || [ ! -x "$BUILD/bin/PrintBench" ]; then
  echo "Building tessolo and PrintBench (Release) in $BUILD ..."
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTESSOLO_BENCH=ON -DTESSOLO_TESTS=OFF >/dev/null
  cmake --build "$BUILD" -j2 --target tessolo PrintBench >/dev/null
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# The card, made by the program's own code: card.tsl and photo.jpg.
QT_QPA_PLATFORM=offscreen "$BUILD/bin/PrintBench" --write-card "$WORK"

# The same card for gLabels: a user template of the 10-up sheet and the
# same objects in millimetres (the worksheet's 0.2 mm pixels).
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
                    line_color="0xff0000ff" fill_color="0x00000000" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False"/>
    <Object-line x="6mm" y="35mm" dx="78mm" dy="0mm" line_width="0.2mm" line_color="0xffffffff"
                 a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False"/>
    <Object-text x="6mm" y="24mm" w="60mm" h="9mm" justify="Left" valign="Top" auto_shrink="False"
                 a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False">
      <Span color="0xffffffff" font_family="IPAexMincho" font_size="18" font_weight="Regular" font_italic="False" line_spacing="1">山田　太郎</Span>
    </Object-text>
    <Object-text x="6mm" y="38mm" w="70mm" h="6mm" justify="Left" valign="Top" auto_shrink="False"
                 a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" shadow="False">
      <Span color="0xffffffff" font_family="IPAexMincho" font_size="10" font_weight="Regular" font_italic="False" line_spacing="1">株式会社テッソロ　営業部</Span>
    </Object-text>
  </Objects>
</Glabels-document>
EOF

# Runs "$@" RUNS times; prints "median_seconds median_peak_kb".
measure() {
  local times=() peaks=() i log="$WORK/time.log"
  for ((i = 0; i < RUNS; i++)); do
    /usr/bin/time -v "$@" >/dev/null 2>"$log" || { cat "$log" >&2; echo "failed: $*" >&2; exit 1; }
    times+=("$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0; for (k = 1; k <= n; k++) s = s * 60 + p[k]; print s}' "$log")")
    peaks+=("$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")")
  done
  local t p
  t=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((RUNS + 1) / 2))p")
  p=$(printf '%s\n' "${peaks[@]}" | sort -g | sed -n "$(((RUNS + 1) / 2))p")
  echo "$t $p"
}

photo_mp=$(QT_QPA_PLATFORM=offscreen "$BUILD/bin/tessolo" --info "$WORK/card.tsl" |
  python3 -c 'import json,sys; p=json.load(sys.stdin)["background"]["picture"]; print("%dx%d" % (p["width"], p["height"]))')
echo "Card: 91 x 55 mm, 10 up on A4, background photo $photo_mp ($(stat -c %s "$WORK/photo.jpg") bytes JPEG)"
echo "Runs: $RUNS each, medians"
echo

read -r ours_t ours_kb < <(cd "$WORK" && QT_QPA_PLATFORM=offscreen measure "$BUILD/bin/tessolo" --print-pdf ours.pdf card.tsl)
read -r peer_t peer_kb < <(cd "$WORK" && measure glabels-3-batch -o peer.pdf card.glabels)
ours_size=$(stat -c %s "$WORK/ours.pdf")
peer_size=$(stat -c %s "$WORK/peer.pdf")

for pdf in ours peer; do
  pdfinfo "$WORK/$pdf.pdf" | grep -q "^Pages: *1$" || { echo "$pdf.pdf is not a one-page PDF" >&2; exit 1; }
done

awk -v ot="$ours_t" -v pt="$peer_t" -v om="$ours_kb" -v pm="$peer_kb" -v os="$ours_size" -v ps="$peer_size" 'BEGIN {
  printf "%-22s %14s %14s %12s\n", "", "Tessolo", "gLabels", "ratio"
  printf "%-22s %14.2f %14.2f %11.1fx faster\n", "time (s)", ot, pt, pt / ot
  printf "%-22s %14.1f %14.1f %11.1f%%\n", "peak memory (MB)", om / 1024, pm / 1024, 100 * om / pm
  printf "%-22s %14.1f %14.1f %11.2f%%\n", "PDF size (KB)", os / 1024, ps / 1024, 100 * os / ps
}'

# Shared by the scripts that compare Tessolo with gLabels (sourced, not run):
# the tools they need, the Release build, timing and the comparison table.
# Expects ROOT, BUILD, RUNS and WORK to be set by the caller.

need_package() {
  local cmd=$1 package=$2
  if ! command -v "$cmd" >/dev/null 2>&1 && [ ! -x "$cmd" ]; then
    echo "Installing $package ..."
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get install -y -q "$package" >/dev/null
  fi
}

need_peer_tools() {
  need_package glabels-3-batch glabels
  need_package /usr/bin/time time
  need_package pdfinfo poppler-utils
}

# Builds tessolo and the named benchmark program in BUILD unless both exist.
need_build() {
  local bench=$1
  if [ ! -x "$BUILD/bin/tessolo" ] || [ ! -x "$BUILD/bin/$bench" ]; then
    echo "Building tessolo and $bench (Release) in $BUILD ..."
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTESSOLO_BENCH=ON -DTESSOLO_TESTS=OFF >/dev/null
    cmake --build "$BUILD" -j2 --target tessolo "$bench" >/dev/null
  fi
}

# Runs "$@" RUNS times; prints "median_seconds median_peak_kb", and every
# run on standard error.
measure() {
  local times=() peaks=() i log="$WORK/time.log"
  for ((i = 0; i < RUNS; i++)); do
    /usr/bin/time -v "$@" >/dev/null 2>"$log" || { cat "$log" >&2; echo "failed: $*" >&2; exit 1; }
    times+=("$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0; for (k = 1; k <= n; k++) s = s * 60 + p[k]; print s}' "$log")")
    peaks+=("$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")")
  done
  echo "runs: ${times[*]} s; ${peaks[*]} KB" >&2
  local t p
  t=$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((RUNS + 1) / 2))p")
  p=$(printf '%s\n' "${peaks[@]}" | sort -g | sed -n "$(((RUNS + 1) / 2))p")
  echo "$t $p"
}

# The table: compare OURS_T OURS_KB PEER_T PEER_KB, with the sizes of
# WORK/ours.pdf and WORK/peer.pdf.
compare() {
  awk -v ot="$1" -v om="$2" -v pt="$3" -v pm="$4" -v os="$(stat -c %s "$WORK/ours.pdf")" \
    -v ps="$(stat -c %s "$WORK/peer.pdf")" 'BEGIN {
    printf "%-22s %14s %14s %12s\n", "", "Tessolo", "gLabels", "ratio"
    printf "%-22s %14.2f %14.2f %11.1fx faster\n", "time (s)", ot, pt, pt / ot
    printf "%-22s %14.1f %14.1f %11.1f%%\n", "peak memory (MB)", om / 1024, pm / 1024, 100 * om / pm
    printf "%-22s %14.1f %14.1f %11.2f%%\n", "PDF size (KB)", os / 1024, ps / 1024, 100 * os / ps
  }'
}

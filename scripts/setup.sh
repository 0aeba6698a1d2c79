# Shared by scripts/run and scripts/test: installs what is missing.
# shellcheck shell=bash

TESSOLO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TESSOLO_ROOT

TESSOLO_PACKAGES=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev
  libqrencode-dev python3 python3-numpy python3-zxing-cpp
  libgtest-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-ipafont fonts-ipaexfont fonts-dejavu-core qt6-translations-l10n
  desktop-file-utils libxml2-utils shared-mime-info appstream man-db
  poppler-utils
  libcsv-dev
)

tessolo_install_packages() {
  local missing=() p
  for p in "${TESSOLO_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# Compiler-cache flags for cmake where ccache is installed: rebuilds of the
# three configurations share what did not change. Nothing without it.
tessolo_cache_flags() {
  if command -v ccache > /dev/null 2>&1; then
    echo "-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  fi
}

tessolo_jobs() {
  nproc 2>/dev/null || echo 2
}

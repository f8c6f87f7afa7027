# Shared by scripts/run and scripts/test: Debian packages and the build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${VIMEK_BUILD_DIR:-$ROOT/build}"

# What building and running needs (libdw-dev: the build tool that writes the
# program's binary debug file reads its DWARF lines; fonts-liberation: the
# fonts that stand in for "Courier New" and the other fonts the program names;
# libcups2-dev: raw printing of the dot-matrix export).
PACKAGES=(cmake ninja-build g++ ccache pkg-config qt6-base-dev libgl-dev libxkbcommon-dev
  zlib1g-dev libfbclient2 firebird-dev firebird3.0-server-core firebird3.0-utils
  qt6-translations-l10n libdw-dev fonts-liberation libcups2-dev)
# What the tests need besides: GoogleTest, the readers that open the files
# the program writes for other programs (LibreOffice Draw and wmf2svg for the
# metafile exports; fonts-urw-base35 holds the fonts wmf2svg draws with, only
# recommended by its library), the mingw-w64 cross compiler that
# builds the crash reporter's PE fixtures, a second font family set
# (fonts-dejavu-core) for the font box's list, a small window manager (twm)
# for the focus checks under one, the barcode decoder (zbar-tools) that reads
# the painted barcodes, a CUPS scheduler with its PDF-to-PostScript filters
# for the paper-source tests' private printer, and eu-addr2line (elfutils),
# the crash reporter's lookup benchmark's baseline.
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev xvfb xauth xdotool twm poppler-utils qpdf libxml2-utils
  libreoffice-calc-nogui libreoffice-base-drivers desktop-file-utils tidy libreoffice-writer-nogui
  libreoffice-draw-nogui libwmf-bin fonts-urw-base35 fonts-dejavu-core zbar-tools
  gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 cups cups-client cups-filters elfutils)

# What scripts/fuzz needs besides: clang with its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# install_packages [extra packages...]
install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Missing packages; install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
}

# VIMEK_JOBS limits the parallel compile and test jobs (default: one per core).
build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$BUILD_DIR" ${VIMEK_JOBS:+-j "$VIMEK_JOBS"}
}

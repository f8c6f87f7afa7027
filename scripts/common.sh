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
# for the paper-source tests' private printer, eu-addr2line (elfutils),
# the crash reporter's lookup benchmark's baseline, the glibc charmaps
# (locales: CP1250, for the Slovak Windows code page the Calc checks make a
# locale of) and python3, whose csv module reads the CSV exports.
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev xvfb xauth xdotool twm poppler-utils qpdf libxml2-utils
  libreoffice-calc-nogui libreoffice-base-drivers desktop-file-utils tidy libreoffice-writer-nogui
  libreoffice-draw-nogui libwmf-bin fonts-urw-base35 fonts-dejavu-core zbar-tools
  gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 cups cups-client cups-filters elfutils locales python3)

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

# The formatter the sources are checked with: one pinned version, as another
# version lays some constructs out differently.
FORMAT_PACKAGES=(clang-format-14)
CLANG_FORMAT=clang-format-14

# format_sources <clang-format options...>: every tracked C++ source (the
# .inc files are data tables and keep their rows).
format_sources() {
  (cd "$ROOT" && git ls-files -z '*.cpp' '*.h' | xargs -0 -P "$(nproc)" -n 50 "$CLANG_FORMAT" "$@")
}

# Fails, naming the files and the command that fixes them, when a source is
# not laid out as .clang-format says.
check_format() {
  local off
  off="$(format_sources --dry-run 2>&1 | grep -o '^[^:]*:[0-9]*:[0-9]*: warning' | cut -d: -f1 | sort -u || true)"
  [ -z "$off" ] && return 0
  echo "These sources are not formatted as .clang-format says:" >&2
  echo "$off" | sed 's/^/  /' >&2
  echo "Format them with: scripts/format" >&2
  return 1
}

# Under CI a skipped test is a failure: a skip there means a package or a
# service that the scripts should have provided is missing.
check_no_skips() {
  [ -n "${CI:-}" ] || return 0
  local log="$1/Testing/Temporary/LastTest.log" skipped
  [ -f "$log" ] || return 0
  skipped="$(grep -a '^\[  SKIPPED \] [A-Za-z]' "$log" | sed 's/ (.*//' | sort -u || true)"
  [ -z "$skipped" ] && return 0
  echo "Tests skipped under CI:" >&2
  echo "$skipped" >&2
  return 1
}

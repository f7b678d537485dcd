#!/usr/bin/env bash
# Installs the Debian 12 packages Tintwell needs, only those that are missing.
# Sourced by scripts/run and scripts/test.
set -euo pipefail

TINTWELL_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  libhidapi-dev libudev-dev libqt6sql6-sqlite
  fonts-wqy-microhei poppler-utils
  qt6-translations-l10n # Qt's own texts in Chinese: standard buttons, file and print dialogs
  libzip-dev python3-openpyxl libreoffice-calc-nogui
  colord-data # the CIE colour-matching functions and illuminants, compiled into the colorimetry engine at build time
  argyll # the format tests read the CGATS and CxF3 files Tintwell writes with argyll's tools
  libpq-dev # the station database talks to PostgreSQL through libpq
  qtkeychain-qt6-dev # the station database's password lives in the desktop's key store
  postgresql # the station tests start a throw-away cluster (initdb + pg_ctl)
  openssl # the station's TLS test makes a certificate authority and a server certificate
  # the tests check tintwell-cli's JSON output against its published schema
  python3-jsonschema
  # a test presses the table's row buttons through AT-SPI, as a screen reader does
  xvfb at-spi2-core dbus-daemon python3-gi gir1.2-atspi-2.0
)

# What scripts/package needs besides: dpkg-shlibdeps (dpkg-dev) for the
# package's dependencies, lintian to check the package.
TINTWELL_PACKAGING_PACKAGES=(dpkg-dev lintian)

tintwell_install_deps() {
  local missing=()
  local pkg
  for pkg in "${TINTWELL_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds the tree in build/<dir> (default: the build type in
# lower case), incrementally. Extra arguments go to CMake at configuration.
#   tintwell_build <type> [dir [cmake options...]]
tintwell_build() {
  local type="$1"
  local name="${2:-${type,,}}"
  shift $(( $# >= 2 ? 2 : 1 ))
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  local dir="$root/build/$name"
  if [ ! -f "$dir/build.ninja" ]; then
    local launcher=()
    # ccache, when present, makes rebuilds in other checkouts cheap; it is optional.
    if command -v ccache >/dev/null 2>&1; then
      launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    local strict=()
    # .ci/run asks for warnings as errors.
    if [ -n "${TINTWELL_WERROR:-}" ]; then
      strict=(-DTINTWELL_WERROR=ON)
    fi
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "${strict[@]}" "$@"
  fi
  cmake --build "$dir" --parallel "$(nproc)"
  TINTWELL_BUILD_DIR="$dir"
}

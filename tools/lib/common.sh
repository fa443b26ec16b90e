# Shared by the scripts in tools/: package installation and small helpers.
# Source it; it defines functions only.

# Root of the repository.
VELLORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

say() { printf '\n== %s\n' "$*"; }

# ensure_packages pkg...: installs the Debian packages that are missing.
ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Everything the build and the tests need on a fresh Debian 12.
VELLORA_PACKAGES=(
  cmake ninja-build g++ make googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 fonts-wine xvfb xauth x11-utils imagemagick fonts-dejavu-core
  nsis zip
  clang libclang-rt-14-dev
  locales curl procps
)

# 32-bit Wine comes from the i386 architecture; the package list learns of it
# with the update that ensure_packages runs when something is missing.
ensure_i386_architecture() {
  dpkg --print-foreign-architectures | grep -qx i386 && return 0
  say "Adding the i386 architecture (32-bit Wine)"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo dpkg --add-architecture i386
}

ensure_build_tools() {
  ensure_i386_architecture
  ensure_packages "${VELLORA_PACKAGES[@]}"
}

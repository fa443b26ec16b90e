# Building the Windows programs as shipped and packing them: an installer and
# a portable zip for each of 64-bit and 32-bit Windows, in build/release/.
# Source it after common.sh; it defines functions only.

# package_all: builds both release presets and writes the four packages;
# the build and packing output goes to build/logs/package.log. Sets
# RELEASE_VERSION. False (after showing the log's end) when anything fails.
package_all() {
  local log="$VELLORA_ROOT/build/logs/package.log" arch
  mkdir -p "$VELLORA_ROOT/build/logs"
  : >"$log"
  rm -rf "$VELLORA_ROOT/build/release"
  mkdir -p "$VELLORA_ROOT/build/release"
  for arch in x64 x86; do
    if ! _package_arch "$arch" >>"$log" 2>&1; then
      tail -30 "$log"
      echo "packaging for $arch failed (see $log)" >&2
      return 1
    fi
  done
}

# _package_arch x64|x86: one release build, its installer and its zip.
_package_arch() {
  local arch=$1 preset=win64-release
  [ "$arch" = x86 ] && preset=win32-release
  local out="$VELLORA_ROOT/build/release"
  local program="$VELLORA_ROOT/build/$preset/src/Vellora.exe"
  (cd "$VELLORA_ROOT" && cmake --preset "$preset" && cmake --build --preset "$preset") || return 1
  RELEASE_VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$VELLORA_ROOT/build/$preset/CMakeCache.txt")
  [ -n "$RELEASE_VERSION" ] || return 1

  makensis -V2 -INPUTCHARSET UTF8 -DARCH="$arch" -DVERSION="$RELEASE_VERSION" -DPROGRAM="$program" \
    -DOUTFILE="$out/Vellora-$RELEASE_VERSION-setup-$arch.exe" "$VELLORA_ROOT/tools/installer/vellora.nsi" || return 1

  # The portable copy: the program, a read-me (UTF-8 with its mark and CR LF
  # line ends, for Notepad) and the marker that keeps the settings beside it.
  local stage="$out/stage-$arch"
  rm -rf "$stage"
  mkdir -p "$stage/Vellora"
  cp "$program" "$stage/Vellora/Vellora.exe"
  { printf '\xEF\xBB\xBF'
    sed -e "s/@VERSION@/$RELEASE_VERSION/g" -e "s/@ARCH@/$arch/g" -e 's/$/\r/' "$VELLORA_ROOT/tools/installer/readme.txt"
  } >"$stage/Vellora/README.txt"
  : >"$stage/Vellora/portable"
  (cd "$stage" && zip -q -X -r "$out/Vellora-$RELEASE_VERSION-$arch.zip" Vellora) || return 1
  rm -rf "$stage"
}

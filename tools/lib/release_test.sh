# The packages as a user gets them, under Wine in a fresh prefix: the 64-bit
# installer's round trip and the 32-bit portable zip. Source it after
# common.sh, wine.sh, chat_run.sh and package.sh; it defines functions only.
# Each check prints what it does and returns non-zero at the first fault.

# release_check <what> <command...>: runs the command and says what failed.
release_check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; return 0; fi
  echo "FAILED: $what"
  return 1
}

# The settings file of the demo account in the prefix's application-data folder.
_appdata_settings() { ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/morvex/Vellora/demo.vel 2>/dev/null | head -1; }

_uninstall_key_present() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellora' /v UninstallString /reg:64 \
    </dev/null >/dev/null 2>&1
}
_uninstall_key_gone() { ! _uninstall_key_present; }

# _run_and_log_in <folder> [screenshot]: starts the program in Folder (an
# endpoints.ini for the simulator put beside it), logs in as demo, reads the
# user list's names.
_run_and_log_in() {
  local folder=$1 shot=${2:-}
  printf 'ClubAddress=127.0.0.1\r\nChatAddress=127.0.0.1\r\nPort=%s\r\n' "$SIM_PORT" >"$folder/endpoints.ini"
  (cd "$folder" && exec wine ./Vellora.exe </dev/null >>"$RELEASE_DIR/client.log" 2>&1) &
  release_check "the program logs in" drive login demo demo123 &&
    release_check "the user list's names read from outside" drive users demo || return 1
  [ -z "$shot" ] || import -window root "$VELLORA_ROOT/build/artifacts/$shot" || true
}

_close_program() {
  drive close
  release_check "the program closes" drive wait-closed 20
}

# _installer_round_trip: silent install, the installed program in the chat,
# a second install refused while it runs, then the uninstaller.
_installer_round_trip() {
  local setup="$VELLORA_ROOT/build/release/Vellora-$RELEASE_VERSION-setup-x64.exe"
  local target="$WINEPREFIX/drive_c/Program Files/Vellora"
  local shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vellora.lnk"
  release_check "silent install" wine "$setup" /S </dev/null || return 1
  release_check "program and uninstaller in Program Files" test -f "$target/Vellora.exe" -a -f "$target/Uninstall.exe" &&
    release_check "Start-menu entry" test -f "$shortcut" &&
    release_check "listed among the installed programs" _uninstall_key_present || return 1

  _run_and_log_in "$target" || return 1
  local before
  before=$(md5sum <"$target/Vellora.exe")
  wine "$setup" /S </dev/null
  local rc=$?
  release_check "a second install is refused while the program runs (exit code $rc)" test "$rc" -ne 0 &&
    release_check "the running program was left alone" test "$(md5sum <"$target/Vellora.exe")" = "$before" || return 1
  _close_program || return 1
  release_check "the settings file was written" test -n "$(_appdata_settings)" || return 1

  rm -f "$target/endpoints.ini"
  # The uninstaller copies itself away and returns at once: wait for it.
  wine "$target/Uninstall.exe" /S </dev/null
  local i
  for i in $(seq 1 60); do
    [ -e "$target" ] || break
    sleep 0.5
  done
  release_check "the program's folder is gone" test ! -e "$target" &&
    release_check "the Start-menu entry is gone" test ! -e "$shortcut" &&
    release_check "no longer listed among the installed programs" _uninstall_key_gone &&
    release_check "the settings file stayed" test -n "$(_appdata_settings)"
}

# _portable_zip_run: the 32-bit zip unpacked on a "stick": its settings land
# beside the program and nothing changes in the application-data folder.
_portable_zip_run() {
  local stick="$WINEPREFIX/drive_c/stick"
  mkdir -p "$stick"
  release_check "the 32-bit zip unpacks" unzip -q "$VELLORA_ROOT/build/release/Vellora-$RELEASE_VERSION-x86.zip" -d "$stick" ||
    return 1
  local appdata before
  appdata=$(_appdata_settings)
  before=$(md5sum <"$appdata")
  _run_and_log_in "$stick/Vellora" release-portable-x86.png && _close_program || return 1
  release_check "the portable copy keeps its settings beside it" test -f "$stick/Vellora/demo.vel" &&
    release_check "and leaves the application-data folder alone" test "$(md5sum <"$appdata")" = "$before"
}

# release_test: packs the programs, then both checks in a fresh prefix under
# build/release-test (the simulator from the native build, the e2e driver
# from the win32 build). Returns non-zero on the first fault; the prefix is
# kept then, for a look. The portable run's screenshot goes to build/artifacts.
release_test() {
  RELEASE_DIR="$VELLORA_ROOT/build/release-test"
  local E2E_DRIVER="$VELLORA_ROOT/build/win32/tools/e2e_driver.exe"
  rm -rf "$RELEASE_DIR"
  mkdir -p "$RELEASE_DIR" "$VELLORA_ROOT/build/artifacts"
  package_all || return 1
  sim_start "$RELEASE_DIR" --members 4 --rate 10 --seed 11 --idle-exit 300 || return 1
  wine_session_start "$RELEASE_DIR/wine"
  local ok=0
  _installer_round_trip && _portable_zip_run || ok=1
  wine_session_stop
  sim_stop
  [ $ok = 0 ] && rm -rf "$RELEASE_DIR/wine"
  return $ok
}

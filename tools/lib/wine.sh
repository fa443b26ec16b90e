# A private Wine session for tests and the demo: its own prefix, its own Xvfb
# display (unless a display is asked for), the crash dialog off, no Mono or
# Gecko prompts, and a persistent wineserver while it runs.
# Source it, then: wine_session_start <prefix-dir> [use-own-display: 1|0]; ... ; wine_session_stop

WINE_XVFB_PID=""

_free_display() {
  local n
  for n in $(seq 90 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then echo "$n"; return 0; fi
  done
  return 1
}

# Starts Xvfb on a free display and exports DISPLAY.
xvfb_start() {
  local n
  n=$(_free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  WINE_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}

_wine_prefix_init() {
  local prefix=$1
  # A prefix made before 32-bit Wine was installed cannot run 32-bit programs.
  [ -f "$prefix/.vellora-ready" ] && [ -e "$prefix/drive_c/windows/syswow64/kernel32.dll" ] && return 0
  rm -rf "$prefix"
  mkdir -p "$prefix"
  wineboot -u </dev/null >/dev/null 2>&1
  wineserver -w
  # Wine's own fonts (fonts-wine): without them the caption buttons show
  # letters instead of glyphs, and Tahoma is missing.
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  # No crash dialog: a crash must end the test with an exit code.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  # A virtual desktop gives windows decorations and a fast teardown on a bare X server.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.vellora-ready"
}

# wine_session_start <prefix> [own-display]
wine_session_start() {
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d;mscoree,mshtml="
  export WINEARCH=win64
  if [ "${2:-1}" = 1 ] || [ -z "${DISPLAY:-}" ]; then xvfb_start || return 1; fi
  _wine_prefix_init "$WINEPREFIX"
  # Start the session with stdio detached: Wine's background services keep
  # the pipes of whoever starts them open, which hangs log capture.
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

wine_session_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  if [ -n "$WINE_XVFB_PID" ]; then kill "$WINE_XVFB_PID" 2>/dev/null; wait "$WINE_XVFB_PID" 2>/dev/null; fi
  WINE_XVFB_PID=""
}

# Starting the chat service simulator and the Windows client against it, for
# the end-to-end run of tools/test and for tools/demo. Source it after
# common.sh and wine.sh; it defines functions only.

SIM_PID=""
SIM_PORT=""
SIM_CONTROL_PORT=""

# sim_start <dir> [server options...]: starts vellora-server on free ports,
# logging to <dir>/server.log; sets SIM_PID, SIM_PORT and SIM_CONTROL_PORT.
sim_start() {
  local dir=$1
  shift
  local server="$VELLORA_ROOT/build/native/server/vellora-server"
  if [ ! -x "$server" ]; then
    echo "no $server: build the native preset first" >&2
    return 1
  fi
  mkdir -p "$dir"
  rm -f "$dir/ready"
  "$server" --port 0 --control-port 0 --ready-file "$dir/ready" "$@" </dev/null >"$dir/server.log" 2>&1 &
  SIM_PID=$!
  local i
  for i in $(seq 1 100); do
    grep -q '^pid=' "$dir/ready" 2>/dev/null && break
    sleep 0.1
  done
  SIM_PORT=$(sed -n 's/^port=//p' "$dir/ready" 2>/dev/null)
  SIM_CONTROL_PORT=$(sed -n 's/^control_port=//p' "$dir/ready" 2>/dev/null)
  if [ -z "$SIM_PORT" ]; then
    echo "the simulator did not start (see $dir/server.log)" >&2
    return 1
  fi
}

sim_stop() {
  [ -n "$SIM_PID" ] || return 0
  kill "$SIM_PID" 2>/dev/null
  wait "$SIM_PID" 2>/dev/null
  SIM_PID=""
}

# sim_control <command> [name=value...]: a command of the simulator's
# control interface (the members, their lines, faults).
sim_control() {
  local command=$1 p
  shift
  local args=()
  for p in "$@"; do args+=(--data-urlencode "$p"); done
  curl -sf "http://127.0.0.1:$SIM_CONTROL_PORT/$command" "${args[@]}" >/dev/null
}

# client_install <dir> <port> [preset]: the program of the preset's build
# (win64 unless named) with an endpoints.ini beside it that points it at the
# simulator.
client_install() {
  local dir=$1 port=$2 preset=${3:-win64}
  mkdir -p "$dir"
  cp "$VELLORA_ROOT/build/$preset/src/Vellora.exe" "$dir/"
  printf 'ClubAddress=127.0.0.1\r\nChatAddress=127.0.0.1\r\nPort=%s\r\n' "$port" >"$dir/endpoints.ini"
}

# client_forget_accounts: removes the settings files of earlier runs from the
# Wine session's application-data folder, so the login form starts empty.
client_forget_accounts() {
  local users="$WINEPREFIX/drive_c/users"
  local d
  for d in "$users"/*/AppData/Roaming/morvex; do
    [ -d "$d" ] && rm -rf "$d"
  done
  return 0
}

# client_settings <account> <line>...: the account's settings file in the
# Wine session's application-data folder, one Key=Value a line.
client_settings() {
  local account=$1
  shift
  local dir="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/morvex/Vellora"
  mkdir -p "$dir"
  printf '%s\r\n' "$@" >"$dir/$account.vel"
}

# client_start <dir>: starts the program under Wine in the background.
client_start() {
  (cd "$1" && exec wine ./Vellora.exe </dev/null >"$1/client.log" 2>&1) &
  CLIENT_PID=$!
}

# drive <args...>: the e2e driver program (tools/e2e); E2E_DRIVER names
# another build's than the win64 one.
drive() {
  wine "${E2E_DRIVER:-$VELLORA_ROOT/build/win64/tools/e2e_driver.exe}" "$@" </dev/null
}

# e2e_menu_shots <dir>: opens the options menu, the user menu, both pages of
# the settings sheet and the friends list as a user would, keeping a
# screenshot of each in <dir>; fails when one of them does not show.
e2e_menu_shots() {
  local dir=$1
  shot() { sleep 0.7; import -window root "$dir/e2e-$1.png" || true; }
  drive menu options && shot options-menu && drive keys escape &&
    drive menu user && shot user-menu && drive keys escape &&
    drive menu options && drive keys M && drive wait-window Settings && shot settings-interface &&
    drive sheet-page 1 && shot settings-events && drive close-window Settings &&
    drive menu options && drive keys F && drive wait-window Friendslist && shot lists-dialog &&
    drive close-window Friendslist
}

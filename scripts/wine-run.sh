#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so every test process goes through it:
# the prefix is initialised once, one wineserver stays alive between processes,
# and an Xvfb display is started when none is reachable.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${VESTALINE_WINEPREFIX:-$top/.deps/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
export WINEARCH=win64
wine_bin=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)

lock="$top/.deps/wine.lock"
display_file="$top/.deps/display"
mkdir -p "$top/.deps"

# A display counts only when a client can really talk to it: lock files and
# sockets outlive their server when a machine is restored from a snapshot.
display_alive() { [ -n "$1" ] && xdpyinfo -display "$1" >/dev/null 2>&1; }

# Called under the lock, so that parallel test processes start one server.
start_display() {
  if display_alive "${DISPLAY:-}"; then return; fi
  if [ -f "$display_file" ] && display_alive "$(cat "$display_file")"; then
    export DISPLAY=$(cat "$display_file"); return
  fi
  # Xvfb picks a free display number itself and writes it once it listens.
  local numfile="$top/.deps/display.new"
  rm -f "$numfile"
  setsid Xvfb -displayfd 7 -screen 0 1280x1024x24 -nolisten tcp 7>"$numfile" 9>&- >/dev/null 2>&1 < /dev/null &
  for _ in $(seq 1 200); do [ -s "$numfile" ] && break; sleep 0.05; done
  local n
  n=$(tr -dc 0-9 < "$numfile")
  if [ -z "$n" ]; then echo "wine-run: Xvfb did not start" >&2; exit 1; fi
  export DISPLAY=":$n"
  echo "$DISPLAY" > "$display_file"
}

init_prefix() {
  [ -f "$WINEPREFIX/.vestaline-ready" ] && return
  "$wine_bin" wineboot -i >/dev/null 2>&1
  local reg="$WINEPREFIX/vestaline.reg"
  # Undecorated windows: the program draws its own frames. Font smoothing
  # pinned off so that rendered glyphs are the same on every machine. A
  # crashing test prints its backtrace and ends instead of waiting on a crash
  # dialog nobody can answer.
  cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Control Panel\Desktop]
"FontSmoothing"="0"
"FontSmoothingType"=dword:00000001
"FontSmoothingGamma"=dword:00000578
"FontSmoothingOrientation"=dword:00000001
REG
  "$wine_bin" regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.vestaline-ready"
}

exec 9>"$lock"
flock 9
start_display
init_prefix
# One persistent server keeps process start-up fast; a second -p while one
# runs for this prefix just exits.
wineserver -p 9>&- >/dev/null 2>&1 || true
flock -u 9
exec 9>&-

exec "$wine_bin" "$@"

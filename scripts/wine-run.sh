#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so every test process goes through it:
# the prefix is initialised once, one wineserver stays alive between processes,
# and an Xvfb display is started when none is set.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${VESTALINE_WINEPREFIX:-$top/.deps/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
export WINEARCH=win64
wine_bin=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)

lock="$top/.deps/wine.lock"
mkdir -p "$top/.deps"

start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo_ok; then return; fi
  local n=97
  export DISPLAY=":$n"
  if ! xdpyinfo_ok; then
    rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
    for _ in $(seq 1 100); do xdpyinfo_ok && break; sleep 0.05; done
  fi
}
xdpyinfo_ok() { [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && [ -e "/tmp/.X${DISPLAY#:}-lock" ]; }

init_prefix() {
  [ -f "$WINEPREFIX/.vestaline-ready" ] && return
  "$wine_bin" wineboot -i >/dev/null 2>&1
  local reg="$WINEPREFIX/vestaline.reg"
  # Undecorated windows: the program draws its own frames. Font smoothing
  # pinned off so that rendered glyphs are the same on every machine.
  cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

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

start_display
(
  flock 9
  init_prefix
  # One persistent server keeps process start-up fast; a second -p while one
  # runs for this prefix just exits.
  wineserver -p >/dev/null 2>&1 || true
) 9>"$lock"

exec "$wine_bin" "$@"

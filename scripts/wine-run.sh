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

fail() { echo "wine-run: $*" >&2; exit 1; }

wine_bin=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[ -x "$wine_bin" ] || fail "no wine64 found (install the wine64 package)"
# Debian's wine64 puts the server beside the real wine64 binary, outside the
# PATH. Without it no persistent server starts and "-w" waits for nothing.
find_wineserver() {
  local dir
  dir=$(dirname "$(readlink -f "$wine_bin")")
  for s in "${WINESERVER:-}" "$(command -v wineserver)" "$dir/wineserver" "$dir/wineserver64" \
           /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
    if [ -n "$s" ] && [ -x "$s" ]; then echo "$s"; return; fi
  done
}
wineserver=$(find_wineserver)
[ -n "$wineserver" ] || fail "no wineserver found beside $wine_bin or on the PATH"
export WINESERVER="$wineserver"

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
  if [ -z "$n" ]; then fail "Xvfb did not start"; fi
  export DISPLAY=":$n"
  echo "$DISPLAY" > "$display_file"
}

# Runs a Wine helper detached from the caller's output: whatever Wine starts
# from it (services, devices, the desktop) inherits nowhere to write to
# instead of the pipe a test runner waits on.
quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }

init_prefix() {
  [ -f "$WINEPREFIX/.vestaline-ready" ] && return
  quiet "$wine_bin" wineboot -i || fail "wineboot could not set up $WINEPREFIX"
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
  quiet "$wine_bin" regedit /S "$reg" || fail "the prefix's settings could not be written"
  # The registry reaches its files only when the server ends.
  quiet "$wineserver" -w || fail "wineserver -w failed"
  touch "$WINEPREFIX/.vestaline-ready"
}

exec 9>"$lock"
flock 9
start_display
init_prefix
# One persistent server keeps process start-up fast; a second -p while one
# runs for this prefix exits with 2. The first process of a new server starts
# Wine's helpers (wineboot, services, devices), which keep the output they
# inherit: a quiet process of ours starts them, one that touches the desktop
# window starting the desktop process too.
quiet "$wineserver" -p
case $? in
  0) quiet "$wine_bin" rundll32.exe user32.dll,GetDesktopWindow || fail "Wine does not start in $WINEPREFIX" ;;
  2) ;;
  *) fail "$wineserver -p failed" ;;
esac
flock -u 9
exec 9>&-

# The desktop process ends when no program uses it for a second and is then
# started again by whichever program needs it next, inheriting that program's
# output. So the program writes to a file of its own that is copied out as it
# grows: a helper keeping the file open holds up nobody.
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX") || fail "no temporary file"
"$wine_bin" "$@" >"$out" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null' TERM INT HUP
tail -c +1 -s 0.1 --pid="$pid" -f "$out" &
copier=$!
status=0
while :; do
  wait "$pid"; status=$?
  kill -0 "$pid" 2>/dev/null || break  # a trapped signal interrupted the wait
done
wait "$copier"
rm -f "$out"
exit "$status"

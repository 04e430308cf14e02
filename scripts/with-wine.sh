#!/usr/bin/env bash
# with-wine.sh [--virtual-display] BUILD_DIR COMMAND...
#
# Runs COMMAND with a Wine session of the build tree's own: WINEPREFIX inside
# BUILD_DIR (the user's own Wine registry is never touched), WINEDEBUG=-all,
# a persistent wineserver and a booted prefix, and an X display (a virtual
# one from Xvfb with --virtual-display or when there is no DISPLAY). Stops
# what it started when COMMAND ends, also on failure or interrupt.
set -euo pipefail

virtual_display=0
if [ "${1:-}" = "--virtual-display" ]; then
  virtual_display=1
  shift
fi
build_dir=$(cd "$1" && pwd)
shift

wine_dir=/usr/lib/wine
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINE64="$wine_dir/wine64"

xvfb_pid=""
display_file=""
cleanup() {
  local status=$?
  # wineserver -k ends every Wine process of this prefix, then the server.
  "$wine_dir/wineserver" -k </dev/null >/dev/null 2>&1 || true
  "$wine_dir/wineserver" -w </dev/null >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  [ -n "$display_file" ] && rm -f "$display_file"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "$virtual_display" -eq 1 ] || [ -z "${DISPLAY:-}" ]; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  if [ ! -s "$display_file" ]; then
    echo "with-wine: Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$(head -n1 "$display_file")"
fi

mkdir -p "$WINEPREFIX"
# Started with every standard stream redirected: Wine's background processes
# must not hold the caller's pipes open (CTest would wait for them).
"$wine_dir/wineserver" -p </dev/null >/dev/null 2>&1
"$WINE64" wineboot -i </dev/null >/dev/null 2>&1

# A virtual display has no window manager. Wine then waits two seconds for
# a manager to withdraw each closing window, and draws no caption; windows
# it does not leave to a manager close at once and get Wine's own frame.
x11_key='HKCU\Software\Wine\X11 Driver'
if [ -n "$xvfb_pid" ]; then
  "$WINE64" reg add "$x11_key" /v Managed /d N /f </dev/null >/dev/null 2>&1
else
  "$WINE64" reg delete "$x11_key" /v Managed /f </dev/null >/dev/null 2>&1 || true
fi

"$@"

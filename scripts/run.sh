#!/usr/bin/env bash
# run.sh: installs what is missing, configures, builds and opens the log
# controller's dialog under Wine.
#
# With a display (DISPLAY set) the dialog opens there and the script returns
# when it is closed. Without one the dialog opens on a virtual display, a
# screenshot of it is saved to build/screenshots/korGUILogController.png,
# and the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."

# KORVANEX_BUILD_DIR picks another build tree than build/ (the preset's).
build="${KORVANEX_BUILD_DIR:-build}"
scripts/setup.sh
if [ "$build" = build ]; then
  cmake --preset default >/dev/null
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target korGUILogController

exe="$(cd "$build" && pwd)/app/korGUILogController.exe"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/with-wine.sh "$build" bash -c '"$WINE64" "$1"' run "$exe"
fi

screenshot="$(cd "$build" && pwd)/screenshots/korGUILogController.png"
mkdir -p "$(dirname "$screenshot")"
scripts/with-wine.sh --virtual-display "$build" bash -c '
  set -euo pipefail
  exe=$1 screenshot=$2
  "$WINE64" "$exe" </dev/null >/dev/null 2>&1 &
  program=$!
  # The caption is set when the dialog opens; wait until it is mapped.
  window=""
  for _ in $(seq 1 600); do
    window=$(xdotool search --onlyvisible --name "^korGUILogController x64$" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "run: the dialog did not appear" >&2
    kill "$program" 2>/dev/null || true
    exit 1
  fi
  # Mapped is not yet painted: give the first paint a moment.
  sleep 1
  import -window "$window" "$screenshot"
  # taskkill without /F closes the window as the close box would (Cancel).
  "$WINE64" taskkill /IM korGUILogController.exe </dev/null >/dev/null 2>&1 || kill "$program" 2>/dev/null || true
  wait "$program" || true
  echo "run: screenshot of the dialog saved to $screenshot"
' run "$exe" "$screenshot"

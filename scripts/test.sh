#!/usr/bin/env bash
# The test command: installs what is missing, configures, builds, and runs
# every test under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
scripts/with-wine.sh --virtual-display build ctest --preset default "$@"

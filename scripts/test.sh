#!/usr/bin/env bash
# The test command: installs what is missing, configures, builds with every
# warning an error (the ci preset, same build tree as the default one), and
# runs every test under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
scripts/with-wine.sh --virtual-display build ctest --preset ci "$@"

#!/usr/bin/env bash
# The release command: the test command first (set-up, build, every test
# under Wine), then build/release with the per-user MSI, a ZIP of the same
# files and SHA256SUMS.
# Signing: set KORVANEX_SIGN_CERT and KORVANEX_SIGN_KEY (PEM files, kept out
# of the repository) and, for a time stamp, KORVANEX_SIGN_TIMESTAMP_URL.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/test.sh
cmake --build --preset default --target release

#!/usr/bin/env bash
# Builds and runs every benchmark under Wine. Each prints its figures as
# ratios against a baseline measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
run_all() {
  while IFS= read -r program; do
    [ -n "$program" ] || continue
    echo "== $(basename "$program")"
    "$WINE64" "$program"
  done < build/benchmarks.txt
}
export -f run_all
scripts/with-wine.sh --virtual-display build bash -c run_all

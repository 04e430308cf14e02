#!/usr/bin/env bash
# test.sh [--compiler gcc|clang] [CTEST ARGUMENTS...]
#
# The test command: installs what is missing, then for each compiler (both
# unless one is named) configures, builds with every warning an error and
# runs every test under Wine on a virtual display. GCC builds in build/ (the
# default preset, whose tree scripts/run.sh and scripts/bench.sh reuse as it
# is), clang in build-clang/ (the clang preset). Fails when either compiler's
# build or tests fail.
set -euo pipefail
cd "$(dirname "$0")/.."

compilers=(gcc clang)
if [ "${1:-}" = "--compiler" ]; then
  compilers=("${2:?--compiler takes gcc or clang}")
  shift 2
fi

scripts/setup.sh

failed=()
for compiler in "${compilers[@]}"; do
  case "$compiler" in
    gcc) preset=default build=build ;;
    clang) preset=clang build=build-clang ;;
    *) echo "test: unknown compiler '$compiler' (gcc or clang)" >&2; exit 2 ;;
  esac
  echo "== $compiler ($build/)"
  if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" &&
     scripts/with-wine.sh --virtual-display "$build" ctest --preset "$preset" "$@"; then
    continue
  fi
  failed+=("$compiler")
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "test: failed with ${failed[*]}" >&2
  exit 1
fi

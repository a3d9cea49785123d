#!/usr/bin/env bash
# Builds bench_grid in build/x86_64 and runs it under the tests' Wine prefix
# on its own display.   bash bench/grid/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD=${QUIB_BENCH_BUILD:-$PWD/build/x86_64}
cmake --build "$BUILD" --target bench_grid
bash tests/wine/fixture.sh setup "$BUILD/wine" >/dev/null
trap 'bash tests/wine/fixture.sh cleanup "$BUILD/wine" >/dev/null 2>&1 || true' EXIT
"$BUILD/wine/run.sh" "$BUILD/bench/bench_grid.exe"

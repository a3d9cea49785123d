#!/usr/bin/env bash
# Builds and runs the text viewer benchmark under wine64 on its own display.
#   bash bench/text/run.sh [megabytes]
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD=${QUIB_BENCH_BUILD:-$PWD/build/x86_64}
cmake --build "$BUILD" --target bench_text
bash tests/wine/fixture.sh setup "$BUILD/wine" >/dev/null
trap 'bash tests/wine/fixture.sh cleanup "$BUILD/wine" >/dev/null 2>&1 || true' EXIT
"$BUILD/wine/run.sh" "$BUILD/bench/bench_text.exe" "${1:-50}"

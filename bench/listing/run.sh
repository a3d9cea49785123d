#!/usr/bin/env bash
# Listing benchmark: builds bench_listing and the stand-in DLLs in the x86_64
# build, makes the two big zip archives with Info-ZIP's zip when they are not
# there yet, and runs the benchmark under wine64 on the tests' Xvfb.
#   bash bench/listing/run.sh [--reps=N]
# QUIB_BENCH_BUILD chooses another x86_64 build folder (default build/x86_64).
# Making the archives the first time takes minutes (TMPDIR=/dev/shm speeds
# the file creation up); they are kept in BUILD/bench/archives.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
HERE=$ROOT/bench/listing
BUILD=${QUIB_BENCH_BUILD:-$ROOT/build/x86_64}
WINE_DIR=$BUILD/wine
ARCHIVES=$BUILD/bench/archives

if [ ! -f "$BUILD/build.ninja" ]; then
  (cd "$ROOT" && cmake --preset x86_64)
fi

# Others may be building in the same folder: try again a few times.
built=0
for attempt in 1 2 3 4 5 6; do
  if cmake --build "$BUILD" --target bench_listing bench_standin_enum quib_standin_archiver; then
    built=1
    break
  fi
  echo "build failed or busy (attempt $attempt), trying again in 20 s" >&2
  sleep 20
done
[ "$built" = 1 ] || { echo "could not build bench_listing" >&2; exit 1; }

start=$(date +%s.%N)
bash "$HERE/make_archives.sh" "$ARCHIVES"
awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "archives ready in %.1f s\n", e - s }'

# Xvfb, wineserver and Wine prefix. By default the benchmark has its own
# (BUILD/bench/wine, made once): a test run elsewhere in the same build stops
# the tests' wineserver when it ends, which would end the benchmark with it.
# QUIB_BENCH_SHARED_WINE=1 uses the tests' folder BUILD/wine instead and
# leaves it running at the end when it ran already.
if [ "${QUIB_BENCH_SHARED_WINE:-0}" = 1 ]; then
  BENCH_WINE=$WINE_DIR
  RUN=$WINE_DIR/run.sh
else
  BENCH_WINE=$BUILD/bench/wine
  RUN=$BENCH_WINE/run.sh
  mkdir -p "$BENCH_WINE"
  sed -e "s|@QUIB_WINE_DIR@|$BENCH_WINE|g" -e "s|@QUIB_WINE_SCRIPTS@|$ROOT/tests/wine|g" \
    "$ROOT/tests/wine/run.sh.in" >"$RUN"
  chmod +x "$RUN"
fi
owned=0
if [ -z "${DISPLAY:-}" ]; then
  if ! { [ -f "$BENCH_WINE/xvfb.pid" ] && kill -0 "$(cat "$BENCH_WINE/xvfb.pid")" 2>/dev/null; }; then
    owned=1
  fi
fi
echo "starting Xvfb and wine in $BENCH_WINE (the first time makes the prefix)"
bash "$ROOT/tests/wine/fixture.sh" setup "$BENCH_WINE"
cleanup() {
  if [ "$owned" = 1 ]; then bash "$ROOT/tests/wine/fixture.sh" cleanup "$BENCH_WINE"; fi
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then export DISPLAY=":$(cat "$BENCH_WINE/display")"; fi

win() { echo "Z:${1//\//\\}"; }
OUT=$BUILD/bench/out
mkdir -p "$OUT"
BIGS=(flat25k tree25k tree250k)
# The floor and the stand-in DLL's own enumeration, then the memory (one
# fresh process per archive, the one-entry archive first as the base), then
# the timings in the real window. Each step's own output is shown as it runs
# and kept for the summary table at the end.
enum_args=()
for a in "${BIGS[@]}"; do enum_args+=("$(win "$ARCHIVES/$a.zip")"); done
"$RUN" "$BUILD/bench/bench_standin_enum.exe" --reps=5 "${enum_args[@]}" | tee "$OUT/enum.txt"
for a in one "${BIGS[@]}"; do
  "$RUN" "$BUILD/bench/bench_listing.exe" --memory "$(win "$ARCHIVES/$a.zip")" | tee "$OUT/memory-$a.txt"
done
"$RUN" "$BUILD/bench/bench_listing.exe" \
  "$(win "$ARCHIVES/one.zip")" \
  "$(win "$ARCHIVES/flat25k.zip")" --enter=big \
  "$(win "$ARCHIVES/tree25k.zip")" --enter=src00/mod05/pkg12 \
  "$(win "$ARCHIVES/tree250k.zip")" --enter=src05/mod05/pkg12 \
  "$@" | tee "$OUT/timings.txt"
python3 "$HERE/summary.py" "$OUT" "${BIGS[@]}"

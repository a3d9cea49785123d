#!/bin/bash
# Builds bench_standin_enum and the stand-in DLLs in build/x86_64 (or
# QUIB_BENCH_BUILD), makes a 65,000-entry zip whose local and central names
# differ, and times the DLL's enumeration against libarchive's own on it and
# on the listing bench's big archives.
#   bash bench/standin/run.sh [--reps=N] [more archives...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${QUIB_BENCH_BUILD:-$root/build/x86_64}"
cmake --build "$build" --target bench_standin_enum quib_standin_archiver >/dev/null
archives="$build/bench/archives"
mkdir -p "$archives"
if [ ! -f "$archives/renamed65k.zip" ] || [ ! -f "$archives/plain65k.zip" ]; then
  python3 "$here/make_renamed.py" "$archives"
fi
reps=()
extra=()
for a in "$@"; do
  case "$a" in --reps=*) reps=("$a") ;; *) extra+=("$a") ;; esac
done
list=("$archives/plain65k.zip" "$archives/renamed65k.zip")
# The listing bench's big archives, when its run.sh has made them.
for big in flat25k.zip tree250k.zip; do
  if [ -f "$archives/$big" ]; then list+=("$archives/$big"); fi
done
list+=("${extra[@]}")
wine_args=()
for f in "${list[@]}"; do wine_args+=("Z:$(echo "$f" | tr / '\\')"); done
# A Wine of the bench's own (as bench/listing/run.sh makes it): a test run in
# the same build stops the tests' wineserver when it ends.
wine_dir="$build/bench/wine"
mkdir -p "$wine_dir"
if [ ! -x "$wine_dir/run.sh" ]; then
  sed -e "s|@QUIB_WINE_DIR@|$wine_dir|g" -e "s|@QUIB_WINE_SCRIPTS@|$root/tests/wine|g" \
    "$root/tests/wine/run.sh.in" >"$wine_dir/run.sh"
  chmod +x "$wine_dir/run.sh"
fi
owned=0
if [ -z "${DISPLAY:-}" ] && ! { [ -f "$wine_dir/xvfb.pid" ] && kill -0 "$(cat "$wine_dir/xvfb.pid")" 2>/dev/null; }; then
  owned=1
fi
bash "$root/tests/wine/fixture.sh" setup "$wine_dir" >/dev/null
cleanup() {
  if [ "$owned" = 1 ]; then bash "$root/tests/wine/fixture.sh" cleanup "$wine_dir" >/dev/null; fi
}
trap cleanup EXIT
"$wine_dir/run.sh" "$build/bench/bench_standin_enum.exe" "${reps[@]}" "${wine_args[@]}"

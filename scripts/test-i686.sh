#!/usr/bin/env bash
# Tests the shipped program: builds the i686 target and runs the i686 suite as
# 32-bit code under Wine's WoW64 mode (a Wine built from Debian's source by
# scripts/build-wow64-wine.sh, once; about 45 minutes the first time).
#
#   bash scripts/test-i686.sh [ctest options]
#
# The suite: the unit tests of records, conversions and the DLL boundary (the
# stand-in archiver and the scripted DLLs, stdcall exports), and the real i686
# quibFMarchive.exe started with the i686 stand-in DLLs on archives made at
# test time, read from outside by a 32-bit test program (its list rows and
# status bar in both display forms, Japanese names under code page 932, a
# missing DLL). Painting does not work in that Wine, so nothing checks pixels.
#
# QUIB_I686_CACHED_ONLY=1 never builds Wine: without a cached one the script
# says so and exits with 3 (CI uses this).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh

if [ "${QUIB_I686_CACHED_ONLY:-0}" = 1 ]; then
  if ! wine=$(bash scripts/build-wow64-wine.sh --find); then
    echo "test-i686: no WoW64 Wine in the cache (scripts/build-wow64-wine.sh builds it)" >&2
    exit 3
  fi
else
  wine=$(bash scripts/build-wow64-wine.sh | tail -n 1)
fi
echo "i686 suite under the WoW64 Wine in $wine"

start=$(date +%s)
cmake --preset i686 -DQUIB_WOW64_WINE="$wine" >/dev/null
cmake --build --preset i686
echo "build: $(( $(date +%s) - start )) s"
ctest --test-dir build/i686 --output-on-failure --no-tests=error "$@"

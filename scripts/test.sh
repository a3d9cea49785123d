#!/usr/bin/env bash
# Sets up everything on a fresh Debian 12 machine (as root), builds both
# targets (i686, the shipped program, and x86_64) with warnings as errors, and
# runs every test of the x86_64 build under wine64 on Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
start=$(date +%s)
for arch in x86_64 i686; do
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch"
done
echo "build: $(( $(date +%s) - start )) s"
# A wineserver left from an earlier run of another build folder is harmless;
# ctest's fixture starts and stops this build's own.
ctest --preset x86_64 --output-on-failure "$@"

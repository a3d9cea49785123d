#!/usr/bin/env bash
# Sets up everything on a fresh Debian 12 machine (as root), builds the program
# (x86_64, the build that runs here) with the stand-in archiver DLLs, and starts
# it under Wine on the demo archive, with the Japanese system code page.
#   scripts/demo.sh [archive]
# Without a DISPLAY it runs on a private Xvfb, saves a screenshot to
# build/demo-screenshot.png after a few seconds and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash scripts/install-packages.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64
BUILD=$ROOT/build/x86_64
archive=${1:-$BUILD/demo/sample.zip}
winpath() { echo "Z:$(readlink -f "$1" | tr / '\\')"; }

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  bash tests/wine/xvfb.sh start "$BUILD/wine"
  export DISPLAY=":$(cat "$BUILD/wine/display")"
fi
export QUIB_CODEPAGE=932
if [ $headless = 0 ]; then
  exec "$BUILD/wine/run.sh" "$BUILD/bin/quibFMarchive.exe" "$(winpath "$archive")"
fi
"$BUILD/wine/run.sh" "$BUILD/bin/quibFMarchive.exe" "$(winpath "$archive")" &
pid=$!
sleep "${QUIB_DEMO_SECONDS:-8}"
import -display "$DISPLAY" -window root "$ROOT/build/demo-screenshot.png"
echo "screenshot: $ROOT/build/demo-screenshot.png"
kill "$pid" 2>/dev/null || true
WINEPREFIX=$BUILD/wine/prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
bash tests/wine/xvfb.sh stop "$BUILD/wine"

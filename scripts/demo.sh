#!/usr/bin/env bash
# Sets up everything on a fresh Debian 12 machine (as root), builds the program
# (x86_64, the build that runs here) with the stand-in archiver DLLs, and starts
# it under Wine on the demo archive, with the Japanese system code page.
#   scripts/demo.sh [archive]
# An archive ending in .qsa (build/x86_64/demo/sample.qsa) opens in the Susie
# listing through the stand-in plug-in quibqsa.spi; the plug-in list file
# quibFM-spm.txt beside the program is written for it when missing.
# QUIB_DEMO_FILER=1 starts it as the filer does, from the stand-in filer
# (stand-ins/filer), with "hwnd=<the filer's window>" and the archive.
# Without a DISPLAY it runs on a private Xvfb, waits for the program's window
# (the first run also makes the Wine prefix), saves a screenshot to
# build/demo-screenshot.png and ends the program, Wine and Xvfb.
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
  cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    WINEPREFIX=$BUILD/wine/prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
    bash tests/wine/xvfb.sh stop "$BUILD/wine"
  }
  trap cleanup EXIT
  bash tests/wine/xvfb.sh start "$BUILD/wine"
  export DISPLAY=":$(cat "$BUILD/wine/display")"
fi
export QUIB_CODEPAGE=932
launch=("$BUILD/bin/quibFMarchive.exe" "$(winpath "$archive")")
case "$archive" in
  *.qsa|*.QSA)
    spm=$BUILD/bin/quibFM-spm.txt
    if [ ! -f "$spm" ]; then
      # UTF-8 with a byte-order mark; one line per interface language.
      { printf '\xef\xbb\xbf'; printf '%s\t.qsa\tQSA\t%%P\\quibqsa.spi\r\n' '有効' 'Enable'; } > "$spm"
    fi
    # "hspm=" starts in the Susie listing ("%h": no filer handle).
    launch=("$BUILD/bin/quibFMarchive.exe" "hspm=%h" "$(winpath "$archive")")
    ;;
esac
if [ "${QUIB_DEMO_FILER:-0}" = 1 ]; then
  launch=("$BUILD/stand-ins/filer/standin-filer.exe" --start "$(winpath "$BUILD/bin/quibFMarchive.exe")" "$(winpath "$archive")")
fi
if [ $headless = 0 ]; then
  exec "$BUILD/wine/run.sh" "${launch[@]}"
fi
"$BUILD/wine/run.sh" "${launch[@]}" &
pid=$!
# The window's X name is its caption; the first start makes the Wine prefix
# first, which takes a while.
shown=0
for _ in $(seq "${QUIB_DEMO_WAIT:-240}"); do
  if xwininfo -root -tree 2>/dev/null | grep -q ' - quibFMarchive"'; then shown=1; break; fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 1
done
if [ $shown = 0 ]; then
  echo "demo: the program's window did not appear" >&2
  exit 1
fi
sleep 2  # let it paint the rows
import -display "$DISPLAY" -window root "$ROOT/build/demo-screenshot.png"
echo "screenshot: $ROOT/build/demo-screenshot.png"

#!/usr/bin/env bash
# CTest fixture: setup starts Xvfb (when no DISPLAY is given), the wineserver and
# wineboot with every stream on /dev/null; cleanup ends them.
#   fixture.sh setup|cleanup WINE_DIR
set -e
HERE=$(cd "$(dirname "$0")" && pwd)
cmd=$1 WINE_DIR=$2
export WINEPREFIX="$WINE_DIR/prefix"
case "$cmd" in
  setup)
    bash "$HERE/xvfb.sh" start "$WINE_DIR" </dev/null >/dev/null 2>&1
    bash "$HERE/prefix.sh" "$WINE_DIR" </dev/null >/dev/null 2>&1
    ;;
  cleanup)
    /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
    bash "$HERE/xvfb.sh" stop "$WINE_DIR" </dev/null >/dev/null 2>&1
    ;;
esac
echo "wine $cmd done"

#!/usr/bin/env bash
# CTest fixture: setup starts Xvfb (when no DISPLAY is given), the wineserver and
# wineboot with every stream of the Wine processes on /dev/null, then checks
# that the display answers and Wine runs a program; cleanup ends them. A
# display or Wine that does not come up fails the fixture with the reason
# (every test needing it is then not run), rather than failing each test later
# in some unrelated way.
#   fixture.sh setup|cleanup WINE_DIR [DPI]
# A prefix made for a display scale (DPI given; 96 is 100 %) has that scale
# and a screen large enough for windows laid out at 200 % (3840x2160, the
# panel of a laptop run at 200 %).
set -e
HERE=$(cd "$(dirname "$0")" && pwd)
cmd=$1 WINE_DIR=$2 DPI=${3:-96}
SCREEN=1280x1024
[ -z "${3:-}" ] || SCREEN=3840x2160
export WINEPREFIX="$WINE_DIR/prefix"
mkdir -p "$WINE_DIR"
QUIB_WINE_LOADER=/usr/lib/wine/wine64 QUIB_WINESERVER=/usr/lib/wine/wineserver
[ -f "$WINE_DIR/paths.sh" ] && . "$WINE_DIR/paths.sh"
fail() { echo "wine $cmd failed: $*" >&2; exit 1; }
case "$cmd" in
  setup)
    bash "$HERE/xvfb.sh" start "$WINE_DIR" "$SCREEN" </dev/null >"$WINE_DIR/xvfb.log" 2>&1 \
      || fail "Xvfb did not start: $(tail -n 5 "$WINE_DIR/xvfb.log")"
    display=${DISPLAY:-}
    if [ -z "$display" ]; then
      [ -s "$WINE_DIR/display" ] || fail "Xvfb gave no display number"
      display=":$(cat "$WINE_DIR/display")"
    fi
    DISPLAY=$display xdpyinfo </dev/null >/dev/null 2>&1 || fail "the display $display does not answer"
    bash "$HERE/prefix.sh" "$WINE_DIR" "$DPI" </dev/null >"$WINE_DIR/prefix.log" 2>&1 \
      || fail "the Wine prefix could not be made: $(tail -n 5 "$WINE_DIR/prefix.log")"
    code=0
    DISPLAY=$display WINEDEBUG=-all timeout 60 "$QUIB_WINE_LOADER" cmd /c exit 7 </dev/null >/dev/null 2>&1 || code=$?
    [ "$code" -eq 7 ] || fail "Wine does not run programs (cmd gave $code)"
    ;;
  cleanup)
    "$QUIB_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    bash "$HERE/xvfb.sh" stop "$WINE_DIR" </dev/null >/dev/null 2>&1
    ;;
esac
echo "wine $cmd done"

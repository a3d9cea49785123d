#!/usr/bin/env bash
# CTest fixture: setup starts Xvfb (when no DISPLAY is given), the wineserver and
# wineboot with every stream of the Wine processes on /dev/null, then checks
# that the display answers and Wine runs a program; cleanup ends them. A
# display or Wine that does not come up fails the fixture with the reason
# (every test needing it is then not run), rather than failing each test later
# in some unrelated way.
#   fixture.sh setup|cleanup WINE_DIR
set -e
HERE=$(cd "$(dirname "$0")" && pwd)
cmd=$1 WINE_DIR=$2
export WINEPREFIX="$WINE_DIR/prefix"
mkdir -p "$WINE_DIR"
fail() { echo "wine $cmd failed: $*" >&2; exit 1; }
case "$cmd" in
  setup)
    bash "$HERE/xvfb.sh" start "$WINE_DIR" </dev/null >"$WINE_DIR/xvfb.log" 2>&1 \
      || fail "Xvfb did not start: $(tail -n 5 "$WINE_DIR/xvfb.log")"
    display=${DISPLAY:-}
    if [ -z "$display" ]; then
      [ -s "$WINE_DIR/display" ] || fail "Xvfb gave no display number"
      display=":$(cat "$WINE_DIR/display")"
    fi
    DISPLAY=$display xdpyinfo </dev/null >/dev/null 2>&1 || fail "the display $display does not answer"
    bash "$HERE/prefix.sh" "$WINE_DIR" </dev/null >"$WINE_DIR/prefix.log" 2>&1 \
      || fail "the Wine prefix could not be made: $(tail -n 5 "$WINE_DIR/prefix.log")"
    code=0
    DISPLAY=$display WINEDEBUG=-all timeout 60 /usr/lib/wine/wine64 cmd /c exit 7 </dev/null >/dev/null 2>&1 || code=$?
    [ "$code" -eq 7 ] || fail "Wine does not run programs (cmd gave $code)"
    ;;
  cleanup)
    /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
    bash "$HERE/xvfb.sh" stop "$WINE_DIR" </dev/null >/dev/null 2>&1
    ;;
esac
echo "wine $cmd done"

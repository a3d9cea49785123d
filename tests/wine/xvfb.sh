#!/usr/bin/env bash
# start|stop an Xvfb for the tests when none is given through DISPLAY.
#   xvfb.sh start WINE_DIR [WIDTHxHEIGHT]   writes the display number to WINE_DIR/display
#   (the screen is 1280x1024 unless a size is given)
#   xvfb.sh stop WINE_DIR
set -e
cmd=$1 WINE_DIR=$2 SCREEN=${3:-1280x1024}
mkdir -p "$WINE_DIR"
case "$cmd" in
  start)
    if [ -n "${DISPLAY:-}" ]; then exit 0; fi
    if [ -f "$WINE_DIR/xvfb.pid" ] && kill -0 "$(cat "$WINE_DIR/xvfb.pid")" 2>/dev/null; then exit 0; fi
    exec 8>"$WINE_DIR/display.tmp"
    setsid Xvfb -displayfd 8 -screen 0 "${SCREEN}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! > "$WINE_DIR/xvfb.pid"
    for _ in $(seq 100); do [ -s "$WINE_DIR/display.tmp" ] && break; sleep 0.1; done
    tr -d '\n' < "$WINE_DIR/display.tmp" > "$WINE_DIR/display"
    ;;
  stop)
    if [ -f "$WINE_DIR/xvfb.pid" ]; then kill "$(cat "$WINE_DIR/xvfb.pid")" 2>/dev/null || true; rm -f "$WINE_DIR/xvfb.pid" "$WINE_DIR/display"; fi
    ;;
esac

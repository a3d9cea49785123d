#!/usr/bin/env bash
# Captures the X screen the tests or the demo run on into a PNG (for people to
# look at; nothing asserts on it).
#   scripts/screenshot.sh [out.png] [display]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshot.png}
disp=${2:-${DISPLAY:-}}
if [ -z "$disp" ] && [ -f build/x86_64/wine/display ]; then disp=":$(cat build/x86_64/wine/display)"; fi
[ -n "$disp" ] || { echo "no display: set DISPLAY or pass one" >&2; exit 1; }
import -display "$disp" -window root "$out"
echo "$out"

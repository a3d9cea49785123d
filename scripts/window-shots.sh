#!/usr/bin/env bash
# Pictures of every window, in both languages, in the system look and in a
# dark style, for people to look at: build/shots/*.png.
#   scripts/window-shots.sh [style ...]   (default: the system look and "Carbon")
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$PWD/build/x86_64
cmake --build "$BUILD" --target window_shots
bash tests/program/make_fixtures.sh "$BUILD/fixtures/program" >/dev/null
mkdir -p build/shots
bash tests/wine/fixture.sh setup "$BUILD/wine" >/dev/null
trap 'bash tests/wine/fixture.sh cleanup "$BUILD/wine" >/dev/null 2>&1 || true' EXIT
out="Z:$(readlink -f build/shots | tr / '\\')"
styles=("$@")
[ ${#styles[@]} -gt 0 ] || styles=("" "Carbon")
for style in "${styles[@]}"; do
  QUIB_CODEPAGE=932 "$BUILD/wine/run.sh" "$BUILD/tests/window_shots.exe" "$out" ${style:+"$style"}
done
for f in build/shots/*.bmp; do convert "$f" "${f%.bmp}.png" && rm "$f"; done
ls build/shots

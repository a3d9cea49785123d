#!/usr/bin/env bash
# Pictures of every window, in both languages, in the system look and in a
# dark style, for people to look at: build/shots/*.png.
#   scripts/window-shots.sh [--dpi N] [style ...]
#   (default: the system look and "Carbon"; --dpi 144 or 192 takes the
#   pictures at 150 % or 200 % display scale, named ...-dpiN.png)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$PWD/build/x86_64
dpi=96
if [ "${1:-}" = --dpi ]; then dpi=$2; shift 2; fi
wine_dir=$BUILD/wine dpi_arg=
if [ "$dpi" != 96 ]; then wine_dir=$BUILD/wine-dpi$dpi dpi_arg=$dpi; fi
[ -x "$wine_dir/run.sh" ] || { echo "no prefix for $dpi DPI (tests/CMakeLists.txt QUIB_DPI_SCALES)" >&2; exit 2; }
cmake --build "$BUILD" --target window_shots
bash tests/program/make_fixtures.sh "$BUILD/fixtures/program" >/dev/null
mkdir -p build/shots
bash tests/wine/fixture.sh setup "$wine_dir" $dpi_arg >/dev/null
trap 'bash tests/wine/fixture.sh cleanup "$wine_dir" >/dev/null 2>&1 || true' EXIT
out="Z:$(readlink -f build/shots | tr / '\\')"
styles=("$@")
[ ${#styles[@]} -gt 0 ] || styles=("" "Carbon")
for style in "${styles[@]}"; do
  QUIB_CODEPAGE=932 "$wine_dir/run.sh" "$BUILD/tests/window_shots.exe" "$out" ${style:+"$style"}
done
for f in build/shots/*.bmp; do convert "$f" "${f%.bmp}.png" && rm "$f"; done
ls build/shots

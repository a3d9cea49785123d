#!/usr/bin/env bash
# Archives for the text viewer's tests: a Shift_JIS readme in a zip.
#   make_fixtures.sh OUTDIR
set -euo pipefail
out=$1
rm -rf "$out"
mkdir -p "$out"
cd "$out"
python3 - <<'PY'
import zipfile
stamp = (2024, 5, 1, 12, 34, 56)
with zipfile.ZipFile('sjis.zip', 'w') as z:
    z.writestr(zipfile.ZipInfo('readme.txt', stamp), 'こんにちは、世界\r\n日本語のテキスト\r\n'.encode('cp932'))
PY

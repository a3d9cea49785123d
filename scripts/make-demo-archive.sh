#!/usr/bin/env bash
# Makes the demo archives with real tools: a zip with Japanese names stored in
# the system code page (as Japanese archivers write them), a 7z, a tar.gz and a
# QSA archive, the format only the stand-in Susie plug-in (quibqsa.spi) reads.
#   scripts/make-demo-archive.sh OUTDIR
set -euo pipefail
out=$1
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p src/util "文書" "画像/2024"
printf 'quibFMarchive demo archive\r\nOpen folders with Enter, go up with Backspace.\r\n' > readme.txt
printf '#include <stdio.h>\nint main(void) { puts("hello"); return 0; }\n' > src/main.c
printf 'int add(int a, int b) { return a + b; }\n' > src/util/add.c
printf '会議のメモ\r\n・資料を準備する\r\n' | iconv -f UTF-8 -t CP932 > "文書/メモ.txt"
printf 'name,size\r\nalpha,1\r\nbeta,2\r\n' > "文書/表.csv"
convert -size 64x48 gradient:navy-gold "画像/2024/夕焼け.png" 2>/dev/null || printf 'PNG' > "画像/2024/夕焼け.png"
head -c 200000 /dev/urandom > "画像/2024/data.bin"
touch -d '2024-05-01 12:34:56' readme.txt src/main.c src/util/add.c "文書/メモ.txt" "文書/表.csv" "画像/2024/夕焼け.png" "画像/2024/data.bin"
find . -type d -exec touch -d "2024-05-01 12:00:00" {} +

python3 - "$out/sample.zip" <<'PY'
import os, sys, time, zipfile
# Names in Shift_JIS without the UTF-8 flag, the way Japanese zip tools store them.
class Cp932Info(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        return self.filename.encode('cp932'), self.flag_bits
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:
    for root, dirs, files in sorted(os.walk('.')):
        dirs.sort()
        for d in dirs:
            p = os.path.join(root, d)[2:] + '/'
            zi = Cp932Info(p, time.localtime(os.path.getmtime(os.path.join(root, d)))[:6])
            zi.external_attr = 0o40755 << 16 | 0x10
            z.writestr(zi, b'')
        for f in sorted(files):
            p = os.path.join(root, f)
            zi = Cp932Info(p[2:], time.localtime(os.path.getmtime(p))[:6])
            zi.compress_type = zipfile.ZIP_DEFLATED
            with open(p, 'rb') as fh:
                z.writestr(zi, fh.read())
PY
7z a -bd -bso0 "$out/sample.7z" . >/dev/null
tar -czf "$out/sample.tar.gz" .

# QSA: "QSAR1\n", then per entry "<size> <time> <method> <path>\n" and the
# bytes; names in the system code page (Shift_JIS), as the plug-in reads them.
python3 - "$out/sample.qsa" <<'PY'
import os, sys
with open(sys.argv[1], 'wb') as q:
    q.write(b'QSAR1\n')
    for root, dirs, files in sorted(os.walk('.')):
        dirs.sort()
        for f in sorted(files):
            p = os.path.join(root, f)
            with open(p, 'rb') as fh: data = fh.read()
            name = p[2:].encode('cp932')
            q.write(b'%d %d store %s\n' % (len(data), int(os.path.getmtime(p)), name))
            q.write(data)
PY

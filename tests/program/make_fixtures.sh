#!/usr/bin/env bash
# Archives for the program's window and end-to-end tests, made with real tools
# (zip, 7z, tar, jlha) and, where exact names or entry lists matter, Python's
# zipfile.   make_fixtures.sh OUTDIR
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$out"
mkdir -p "$out"
bash "$here/../../scripts/make-demo-archive.sh" "$out"
cd "$out"
python3 - <<'PY'
import zipfile, time
stamp = (2024, 5, 1, 12, 34, 56)
def add(z, name, data=b'', flag=None):
    zi = zipfile.ZipInfo(name, stamp)
    if name.endswith('/'):
        zi.external_attr = 0o40755 << 16 | 0x10
    z.writestr(zi, data)
# The level order: a folder entry, files at three depths, a folder known only
# through a path (a/b/ has no entry of its own).
with zipfile.ZipFile('levels.zip', 'w') as z:
    add(z, 'a/'); add(z, 'a/x.txt', b'x'); add(z, 'b.txt', b'bb'); add(z, 'a/b/c.txt', b'ccc')
# Two entries whose lines differ only in letter case.
with zipfile.ZipFile('dupcase.zip', 'w') as z:
    add(z, 'readme.txt', b'12345'); add(z, 'README.TXT', b'12345'); add(z, 'other.txt', b'1')
# Japanese names stored as UTF-8 with the UTF-8 flag.
with zipfile.ZipFile('utf8.zip', 'w') as z:
    add(z, '日本語/'); add(z, '日本語/説明.txt', 'こんにちは'.encode('utf-8'))
# The folder view: a folder with its own entry and seven files, folders known
# only through their files (one name a prefix of the other), a deep path, and
# files with the read-only, hidden and system attributes of an MS-DOS zip.
with zipfile.ZipFile('filer.zip', 'w') as z:
    add(z, 'docs/')
    for i in range(1, 8):
        add(z, 'docs/%d.txt' % i, b'x' * (i * 1000))
    add(z, 'img/a.png', b'png')
    add(z, 'img2/b.png', b'png2')
    add(z, 'img.txt', b'i')
    add(z, 'deep/x/y/z.txt', b'z')
    add(z, 'tool.exe', b'MZ')
    add(z, 'inner.zip', b'PK')
    for name, bits in (('ro.txt', 0x01), ('hidden.txt', 0x02), ('sys.txt', 0x04)):
        zi = zipfile.ZipInfo(name, stamp)
        zi.create_system = 0
        zi.external_attr = bits | 0x20
        z.writestr(zi, b'a')

# An archive inside an archive: the inner zip's own listing is looked into.
import io
inner = io.BytesIO()
with zipfile.ZipFile(inner, 'w') as z:
    add(z, 'inside/first.txt', b'first')
    add(z, 'inside/second.txt', b'second!')
with zipfile.ZipFile('nested.zip', 'w') as z:
    add(z, 'outer.txt', b'outer')
    add(z, 'inner.zip', inner.getvalue())

# Extraction: one top-level folder and nothing beside it; three images and a text.
with zipfile.ZipFile('onefolder.zip', 'w') as z:
    add(z, 'top/'); add(z, 'top/a.txt', b'a'); add(z, 'top/sub/b.txt', b'b')
with zipfile.ZipFile('pics.zip', 'w') as z:
    for n in 'abc':
        add(z, n + '.png', b'png-' + n.encode())
    add(z, 'd.txt', b'text')

# A mid-size archive whose rows in both display forms are compared with the
# rows recorded in tests/program/golden: every rule of the listing at work at
# once (levels past the last bucket, duplicates by case, made-up folders,
# late-weighed hyphens and apostrophes, UTF-8 names, attributes, size texts).
import random
rnd = random.Random(20261210)
words = ['alpha', 'Beta', 'gamma', 'delta', 'Epsilon', 'zeta', 'eta', 'theta', 'iota', 'kappa']
with zipfile.ZipFile('mid.zip', 'w') as z:
    def put(name, size, when=stamp, bits=None, flag_utf8=False):
        zi = zipfile.ZipInfo(name, when)
        if name.endswith('/'):
            zi.external_attr = 0o40755 << 16 | 0x10
        if bits is not None:
            zi.create_system = 0
            zi.external_attr = bits
        z.writestr(zi, b'm' * size)
    for i in range(1200):
        a, b = rnd.choice(words), rnd.choice(words)
        folder = '%s/%s%d/' % (a, b, rnd.randrange(6))
        if rnd.random() < 0.02:
            put(folder, 0)
        when = (1980 + rnd.randrange(100), 1 + rnd.randrange(12), 1 + rnd.randrange(28),
                rnd.randrange(24), rnd.randrange(60), 2 * rnd.randrange(30))
        size = rnd.choice([0, 1, 999, 1000, 12345, 99999, 123456, 1048576 + 7])
        put(folder + 'file%d%s' % (rnd.randrange(300), rnd.choice(['.txt', '.TXT', '.png', '.exe', '.zip', ''])),
            size, when)
    for name in ['co-op.txt', 'coop.txt', "co'op.txt", 'co_op.txt', 'Coop.txt', 'file10.txt', 'file9.txt',
                 'file1.txt', 'a b.txt', 'ab.txt', 'Ab.txt', 'x.tar.gz', '.hidden', 'noext', 'win\\path.txt']:
        put(name, 10)
    put('Case.txt', 5); put('CASE.TXT', 5); put('case.txt', 6)
    for name, bits in (('r.txt', 0x21), ('h.txt', 0x22), ('s.txt', 0x24), ('rhs.txt', 0x27)):
        put(name, 3, bits=bits)
    put('caf\u00e9/\u65e5\u672c\u8a9e.txt', 4)
    put('caf\u00e9/na\u00efve-\u00c9t\u00e9.txt', 5)
    deep = '/'.join('d%d' % i for i in range(36))
    put(deep + '/bottom.txt', 7)
    put('d0/d1/', 0)
    put('1980.txt', 1, (1980, 1, 1, 0, 0, 0))
    put('2107.txt', 1, (2107, 12, 31, 23, 59, 58))
PY
printf 'not an archive\n' > broken.zip
mkdir -p lzhsrc/docs && cd lzhsrc
seq 1 5000 > numbers.txt
printf 'read me\r\n' > docs/readme.txt
touch -d '2024-05-01 12:34:56' numbers.txt docs/readme.txt
jlha a ../sample.lzh numbers.txt docs/readme.txt >/dev/null 2>&1
cd .. && rm -rf lzhsrc
test -s sample.lzh

# Self-extracting files: a program stub in front of an archive, as the
# self-extractor builders make them. The stub is a minimal PE header; the
# archive readers look past it (zip by its end record, after zip -A has moved
# the offsets; LZH within the first 20 KB; 7z from 0x27000 on).
python3 - <<'PY'
import struct
def stub(size):
    mz = bytearray(64)
    mz[0:2] = b'MZ'
    struct.pack_into('<I', mz, 0x3C, 0x80)
    body = mz + b'This program cannot be run in DOS mode.\r\r\n$'
    body += bytes(0x80 - len(body)) + b'PE\0\0' + struct.pack('<HH', 0x14C, 0)
    return bytes(body) + bytes(size - len(body))
import zipfile
stamp = (2024, 5, 1, 12, 34, 56)
with zipfile.ZipFile('sfxzip.zip', 'w', zipfile.ZIP_DEFLATED) as z:
    for name, data in (('setup/', b''), ('setup/readme.txt', b'read me first\r\n'), ('setup/data.bin', bytes(range(256)) * 40), ('top.txt', b'top')):
        zi = zipfile.ZipInfo(name, stamp)
        if name.endswith('/'):
            zi.external_attr = 0o40755 << 16 | 0x10
        else:
            zi.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(zi, data)
open('sfxzip.exe', 'wb').write(stub(8192) + open('sfxzip.zip', 'rb').read())
open('sfxlzh.exe', 'wb').write(stub(4096) + open('sample.lzh', 'rb').read())
open('stub.bin', 'wb').write(stub(0x27000))
open('plain.exe', 'wb').write(stub(20000))
PY
zip -q -A sfxzip.exe
rm -f sfxzip.zip
mkdir -p sfx7src/docs && (cd sfx7src && printf 'seven\n' > seven.txt && printf 'inside docs\n' > docs/inner.txt &&
  touch -d '2024-05-01 12:34:56' seven.txt docs/inner.txt docs && 7z a -bd -y ../sfx7z.7z seven.txt docs >/dev/null)
cat stub.bin sfx7z.7z > sfx7z.exe
rm -rf sfx7src sfx7z.7z stub.bin
test -s sfxzip.exe && test -s sfx7z.exe && test -s sfxlzh.exe

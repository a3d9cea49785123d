#!/usr/bin/env python3
"""Archives for the grid viewer's window tests: a Shift_JIS CSV in a zip, as
a Japanese user's spreadsheet export would arrive.   make_fixtures.py OUTDIR"""
import os
import shutil
import sys
import zipfile

out = sys.argv[1]
shutil.rmtree(out, ignore_errors=True)
os.makedirs(out)

rows = [
    '名前,住所,メモ',
    '山田,"東京都,千代田区","一行目\n二行目"',
    'Smith,London,"say ""hi"""',
]
csv = '\r\n'.join(rows).encode('cp932')  # no final line end: the last row must still show
stamp = (2020, 1, 2, 3, 4, 6)
with zipfile.ZipFile(os.path.join(out, 'sjis.zip'), 'w') as z:
    z.writestr(zipfile.ZipInfo('data.csv', stamp), csv)
with open(os.path.join(out, 'data.csv'), 'wb') as f:
    f.write(csv)

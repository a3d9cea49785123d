#!/usr/bin/env python3
"""Two zips of 65,000 small stored entries: plain65k.zip as written, and
renamed65k.zip where every local header names another file than the central
directory does (same length, so only the names change).

    make_renamed.py OUT_DIR
"""
import os
import sys
import zipfile

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
plain = os.path.join(out, "plain65k.zip")
with zipfile.ZipFile(plain, "w") as z:
    for i in range(65000):
        info = zipfile.ZipInfo("dir%03d/file%05d.txt" % (i // 1000, i), (2021, 3, 4, 5, 6, 8))
        z.writestr(info, b"x")
blob = bytearray(open(plain, "rb").read())
# Local headers come first, the central directory after the last entry's data.
central = blob.find(b"PK\x01\x02")
pos = 0
while True:
    pos = blob.find(b"PK\x03\x04", pos, central)
    if pos < 0:
        break
    name_len = blob[pos + 26] | blob[pos + 27] << 8
    name = pos + 30
    blob[name:name + 3] = b"loc"  # "dir" becomes "loc" in the local header only
    pos = name + name_len
open(os.path.join(out, "renamed65k.zip"), "wb").write(bytes(blob))

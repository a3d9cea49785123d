#!/usr/bin/env python3
"""Makes small crafted archives that once crashed the stand-in archiver or
made it act on entries nobody chose: thousands of "./" headers, paths tens
of thousands of levels deep, names that look like wildcards or fold together
byte by byte, control characters, zip records that disagree, and archives
holding what a rewrite cannot keep.

    make_hostile.py OUT_DIR
"""
import os
import shutil
import struct
import subprocess
import sys
import tarfile
import time
import zipfile
import io
import warnings

warnings.simplefilter("ignore")  # zipfile warns once per duplicate "./"

MTIME = 1614834368
DOS_TUPLE = time.gmtime(MTIME)[:6]

out = os.path.abspath(sys.argv[1])
shutil.rmtree(out, ignore_errors=True)
os.makedirs(out)
env = dict(os.environ, TZ="UTC", LC_ALL="C.UTF-8")


def path(name):
    return os.path.join(out, name)


def run(*args, cwd=out):
    subprocess.run(list(args), cwd=cwd, env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def zip_of(name, entries, system=3, comment=b""):
    """entries: (arcname str, data bytes or None for a folder[, dos attribute byte])."""
    with zipfile.ZipFile(path(name), "w") as z:
        for item in entries:
            arcname, payload = item[0], item[1]
            info = zipfile.ZipInfo(arcname, DOS_TUPLE)
            info.filename = arcname  # hostile names exactly as given
            info.create_system = system
            if payload is None:
                info.external_attr = (0o40755 << 16 | 0x10) if system == 3 else 0x10
                z.writestr(info, b"")
            else:
                info.external_attr = (0o100644 << 16) if system == 3 else (item[2] if len(item) > 2 else 0x20)
                info.compress_type = zipfile.ZIP_STORED
                z.writestr(info, payload)
        if comment:
            z.comment = comment


def patch(name, replacements):
    """Replaces ASCII placeholders by raw bytes of the same length everywhere in the file."""
    blob = open(path(name), "rb").read()
    for old, new in replacements:
        assert len(old) == len(new)
        blob = blob.replace(old, new)
    open(path(name), "wb").write(blob)


# 100,000 tar headers named "./" before one real file: a few hundred KB.
with tarfile.open(path("dots.tar.gz"), "w:gz", compresslevel=9) as t:
    for _ in range(100000):
        info = tarfile.TarInfo("./")
        info.type = tarfile.DIRTYPE
        info.mtime = MTIME
        t.addfile(info)
    data = b"real data\n"
    info = tarfile.TarInfo("real.txt")
    info.size = len(data)
    info.mtime = MTIME
    t.addfile(info, io.BytesIO(data))

# The same in a zip, which can also be rewritten: 20,000 "./" records.
zip_of("dots.zip", [("./", None)] * 20000 + [("keep.txt", b"keep\n"), ("gone.txt", b"gone\n")])

# One path 20,000 folders deep (40,000 bytes), then an ordinary file.
zip_of("deep.zip", [("d/" * 20000 + "f.txt", b"deep\n"), ("ok.txt", b"fine\n")])
with tarfile.open(path("deep.tar"), "w", format=tarfile.PAX_FORMAT) as t:
    for name, data in (("d/" * 20000 + "f.txt", b"deep\n"), ("ok.txt", b"fine\n")):
        info = tarfile.TarInfo(name)
        info.size = len(data)
        info.mtime = MTIME
        t.addfile(info, io.BytesIO(data))

# Stored names that are wildcards: each means itself.
zip_of("wild.zip", [("*.txt", b"star\n"), ("?.txt", b"question\n"), ("a.txt", b"a\n"), ("bb.txt", b"bb\n")])

# Korean names, which neither code page 932 nor 1252 holds: reported as "??.txt".
kor = os.path.join(out, "kor-src")
os.makedirs(kor)
for name, data in (("한국.txt", b"korea\n"), ("ab.txt", b"ab\n"), ("sub/가나.txt", b"gana\n"), ("sub/xy.txt", b"xy\n")):
    os.makedirs(os.path.dirname(os.path.join(kor, name)) or kor, exist_ok=True)
    with open(os.path.join(kor, name), "wb") as f:
        f.write(data)
run("7z", "a", "-bd", "-y", path("korean.7z"), "한국.txt", "ab.txt", cwd=kor)
# Two Korean names of the same length in one folder: both "sub/??.txt".
os.rename(os.path.join(kor, "sub/xy.txt"), os.path.join(kor, "sub/다라.txt"))
run("7z", "a", "-bd", "-y", path("korean3.7z"), "sub/가나.txt", "sub/다라.txt", "ab.txt", cwd=kor)
shutil.rmtree(kor)

# Shift_JIS names without the UTF-8 flag. 表 is 0x95 0x5C (a trail byte that
# is "\" in ASCII); ア is 0x83 0x41 and ヂ is 0x83 0x61 (the ASCII letters A, a).
SJIS = [(b"QQ/", "表/".encode("cp932")), (b"RRRRRRRR", "表示.txt".encode("cp932")),
        (b"SSSSSS", "ア.txt".encode("cp932")), (b"TTTTTT", "ヂ.txt".encode("cp932"))]
zip_of("sjis.zip", [("QQ/", None), ("RRRRRRRR", b"hyouji\r\n"), ("SSSSSS", b"a\r\n"), ("TTTTTT", b"di\r\n")],
       system=0)
patch("sjis.zip", SJIS)

# Names differing only in case.
zip_of("case.zip", [("README", b"upper\n"), ("readme", b"lower\n"), ("other.txt", b"other\n")])

# Control characters: a tab, and a line break that forges a report line.
zip_of("ctrl.zip", [("a\tb.txt", b"tab\n"), ("x\r\nType = 7z\r\n.txt", b"forged\n"), ("ok.txt", b"ok\n")])

# The local header names another file than the central directory does.
zip_of("twonames.zip", [("shown.txt", b"listed name\n"), ("other.txt", b"other\n")])
blob = bytearray(open(path("twonames.zip"), "rb").read())
local = blob.find(b"PK\x03\x04")
at = blob.find(b"shown.txt", local)
blob[at:at + 9] = b"local.txt"
open(path("twonames.zip"), "wb").write(bytes(blob))

# Names Windows would make into something else, and names too long to make.
zip_of("winnames.zip", [("CON", b"con\n"), ("sub/nul.txt", b"nul\n"), ("COM1.log", b"com\n"),
                        ("dot.", b"dot\n"), ("blank ", b"blank\n"), ("ab:c", b"stream\n"),
                        ("x" * 256, b"component too long\n"), ("y" * 200 + "/" + "z" * 100, b"path too long\n"),
                        ("ok.txt", b"ok\n")])

# What a rewrite cannot keep.
zip_of("comment.zip", [("a.txt", b"a\n"), ("b.txt", b"b\n")], comment=b"archive comment")
zip_of("hidden.zip", [("a.txt", b"a\n"), ("h.txt", b"hidden\n", 0x22), ("b.txt", b"b\n")], system=0)
src = os.path.join(out, "mix-src")
os.makedirs(src)
for name in ("enc.txt", "plain.txt", "other.txt"):
    with open(os.path.join(src, name), "wb") as f:
        f.write(name.encode() + b" data\n" * 20)
run("zip", "-q", "-X", "-P", "secret", path("mixed.zip"), "enc.txt", cwd=src)
run("zip", "-q", "-X", path("mixed.zip"), "plain.txt", "other.txt", cwd=src)
run("zip", "-q", "-X", "-0", path("stored.zip"), "plain.txt", "other.txt", cwd=src)
shutil.rmtree(src)

print("hostile archives made in", out)

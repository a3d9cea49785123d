#!/usr/bin/env python3
"""Makes the archives the stand-in archiver tests read, with real tools where
Debian has one (zip, 7z, tar, gzip, genisoimage, gcab) and with a few lines of
Python where it has none (LZH writing) or where a tool would refuse the names
(raw Shift_JIS names without the UTF-8 flag, hostile paths).

    make_archives.py OUT_DIR

OUT_DIR/src holds the original files; every archive is made from them, so a
test compares extracted bytes with the originals. All files carry the time
MTIME (UTC); zip entries store it as local time of TZ=UTC.
"""
import os
import shutil
import struct
import subprocess
import sys
import time
import zipfile

MTIME = 1614834368  # 2021-03-04 05:06:08 UTC, even seconds for MS-DOS times
DOS_TUPLE = time.gmtime(MTIME)[:6]

out = os.path.abspath(sys.argv[1])
src = os.path.join(out, "src")
shutil.rmtree(out, ignore_errors=True)
os.makedirs(src)
env = dict(os.environ, TZ="UTC", LC_ALL="C.UTF-8")


def run(*args, cwd=src):
    subprocess.run(list(args), cwd=cwd, env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def write(rel, data):
    path = os.path.join(src, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# Originals. bin.dat is incompressible and larger than one read block.
write("hello.txt", b"Hello, archive!\r\n")
write("docs/readme.txt", b"Read me first.\n" * 40)
write("docs/deep/note.txt", b"A note two folders down.\n")
seed = 12345
data = bytearray()
for _ in range(70000):
    seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
    data.append((seed >> 16) & 0xFF)
write("bin.dat", bytes(data))
for root, dirs, files in os.walk(src):
    for name in dirs + files:
        os.utime(os.path.join(root, name), (MTIME, MTIME))
os.utime(src, (MTIME, MTIME))

MEMBERS = ["hello.txt", "bin.dat", "docs"]

# zip (Info-ZIP, deflate, folder entries), 7z, tar.gz, a lone .gz, ISO, CAB.
run("zip", "-r", "-X", "-q", os.path.join(out, "basic.zip"), *MEMBERS)
run("zip", "-q", "-X", "-P", "secret", os.path.join(out, "secret.zip"), "hello.txt", "docs/readme.txt")
run("7z", "a", "-bd", "-y", os.path.join(out, "basic.7z"), *MEMBERS)
run("7z", "a", "-bd", "-y", "-psecret", "-mhe=off", os.path.join(out, "secret.7z"), "hello.txt")
run("7z", "a", "-bd", "-y", "-tzip", "-psecret", "-mem=AES256", os.path.join(out, "aes.zip"), "hello.txt",
    "docs/readme.txt")
run("tar", "--format=gnu", "-czf", os.path.join(out, "basic.tar.gz"), *MEMBERS)
with open(os.path.join(out, "single.txt.gz"), "wb") as f:
    subprocess.run(["gzip", "-c", "-n", "hello.txt"], cwd=src, env=env, check=True, stdout=f)
os.utime(os.path.join(out, "single.txt.gz"), (MTIME, MTIME))
run("tar", "--format=gnu", "-cJf", os.path.join(out, "basic.tar.xz"), *MEMBERS)
run("tar", "--format=gnu", "-cjf", os.path.join(out, "basic.tar.bz2"), *MEMBERS)
run("tar", "--format=gnu", "--zstd", "-cf", os.path.join(out, "basic.tar.zst"), *MEMBERS)
run("tar", "--format=gnu", "-czf", os.path.join(out, "basic.tgz"), *MEMBERS)

# Self-extracting files: a program stub in front of an archive. zip -A fixes
# the zip's offsets; libarchive finds a 7z after a PE stub from 0x27000 on.
run("zip", "-q", "-X", os.path.join(out, "small.zip"), "hello.txt")
with open(os.path.join(out, "sfxzip.exe"), "wb") as f:
    f.write(b"MZ" + bytes(4094) + open(os.path.join(out, "small.zip"), "rb").read())
run("zip", "-q", "-A", os.path.join(out, "sfxzip.exe"), cwd=out)
with open(os.path.join(out, "sfx7z.exe"), "wb") as f:
    f.write(b"MZ" + bytes(0x27000 - 2) + open(os.path.join(out, "basic.7z"), "rb").read())

iso_src = os.path.join(out, "iso-src")
shutil.copytree(src, iso_src)
with open(os.path.join(iso_src, "日本語の名前.txt"), "wb") as f:
    f.write(b"Joliet name\n")
os.utime(os.path.join(iso_src, "日本語の名前.txt"), (MTIME, MTIME))
os.utime(iso_src, (MTIME, MTIME))
run("genisoimage", "-quiet", "-J", "-R", "-input-charset", "utf-8", "-o",
    os.path.join(out, "basic.iso"), iso_src, cwd=out)
shutil.rmtree(iso_src)
run("gcab", "-c", os.path.join(out, "basic.cab"), "hello.txt", "docs/readme.txt")


def python_zip(name, entries, flag_utf8=True, system=3, stored=False):
    """entries: (arcname str, data bytes or None for a folder)."""
    with zipfile.ZipFile(os.path.join(out, name), "w") as z:
        for arcname, payload in entries:
            info = zipfile.ZipInfo(arcname, DOS_TUPLE)
            info.filename = arcname  # keep hostile names exactly
            info.create_system = system
            if payload is None:
                info.external_attr = 0o40755 << 16 | 0x10
                z.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
                z.writestr(info, payload)


# Names flagged UTF-8 (Python sets bit 11 for every non-ASCII name).
python_zip("utf8.zip", [("ユニコード/", None), ("ユニコード/café.txt", b"utf-8 named\n")])

# Raw Shift_JIS names, no UTF-8 flag, as Japanese Windows tools write them.
# zipfile always flags non-ASCII names, so ASCII stand-ins of the same byte
# length are written and then patched. 表 and ソ end in 0x5C ("\").
SJIS = {
    "QQQQQQ/": "日本語/".encode("cp932"),
    "QQQQQQ/RRRRRRRR": "日本語/表示.txt".encode("cp932"),
    "SSSSSSSSSS": "ソフト.txt".encode("cp932"),
}
assert all(len(k) == len(v) for k, v in SJIS.items())
python_zip("cp932.zip", [("QQQQQQ/", None), ("QQQQQQ/RRRRRRRR", b"hyouji\r\n"), ("SSSSSSSSSS", b"soft\r\n")],
           system=0)
blob = open(os.path.join(out, "cp932.zip"), "rb").read()
for ascii_name in sorted(SJIS, key=len, reverse=True):
    blob = blob.replace(ascii_name.encode(), SJIS[ascii_name])
open(os.path.join(out, "cp932.zip"), "wb").write(blob)

# Stored entry with one data byte flipped: the CRC check must catch it.
python_zip("crc.zip", [("good.txt", b"good data\n"), ("stored.txt", b"0123456789" * 50)], stored=True)
blob = bytearray(open(os.path.join(out, "crc.zip"), "rb").read())
pos = blob.find(b"0123456789" * 50)
blob[pos + 100] ^= 0x01
open(os.path.join(out, "crc.zip"), "wb").write(bytes(blob))

# Paths that point outside any destination.
python_zip("hostile.zip", [("ok.txt", b"fine\n"), ("../evil.txt", b"evil\n"), ("/abs.txt", b"abs\n"),
                           ("C:/drive.txt", b"drive\n"), ("sub/../../evil2.txt", b"evil2\n"),
                           ("\\\\server\\share\\unc.txt", b"unc\n")])


# LZH level 2, method -lh0- (stored): no Debian tool writes LZH, and the
# format is short: a fixed 24-byte part, then extended headers
# [size u16][type u8][data], ended by a zero size; CRC-16/ARC for header and data.
def crc16(data, crc=0):
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def lzh_entry(dirname, filename, payload):
    method = b"-lhd-" if payload is None else b"-lh0-"
    payload = payload or b""
    ext = [(0x00, b"\0\0\0")]  # header CRC (filled below) and an information byte
    if filename:
        ext.append((0x01, filename))
    if dirname:
        ext.append((0x02, dirname.replace(b"/", b"\xff")))
    ext.append((0x40, struct.pack("<H", 0x10 if method == b"-lhd-" else 0x20)))
    ext_bytes = b"".join(struct.pack("<HB", len(d) + 3, t) + d for t, d in ext) + b"\0\0"
    size = 24 + len(ext_bytes)
    pad = b"\0" if size % 256 == 0 else b""
    size += len(pad)
    fixed = struct.pack("<H5sIIIBBHB", size, method, len(payload), len(payload), MTIME, 0x20, 2,
                        crc16(payload), ord("M"))
    header = bytearray(fixed + ext_bytes + pad)
    hcrc = crc16(bytes(header))
    header[24 + 3:24 + 5] = struct.pack("<H", hcrc)
    return bytes(header) + payload


with open(os.path.join(out, "basic.lzh"), "wb") as f:
    f.write(lzh_entry(None, b"hello.txt", open(os.path.join(src, "hello.txt"), "rb").read()))
    f.write(lzh_entry(b"docs/", None, None))
    f.write(lzh_entry(b"docs/", b"readme.txt", open(os.path.join(src, "docs/readme.txt"), "rb").read()))
    f.write(lzh_entry(None, "日本語.txt".encode("cp932"), b"nihongo\r\n"))
    f.write(b"\0")

with open(os.path.join(out, "plain.txt"), "wb") as f:
    f.write(b"This is not an archive.\n" * 20)

print("archives made in", out)

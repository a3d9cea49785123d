#!/usr/bin/env python3
"""One table from the listing benchmark's outputs (run.sh keeps them in
BUILD/bench/out): libarchive's own enumeration (the floor), the stand-in DLL's,
the program's open (first and again), folder switches and memory per entry,
per archive, with the ratios the targets are stated in.

    summary.py OUT_DIR flat25k tree25k tree250k
"""
import re
import sys
from pathlib import Path

out = Path(sys.argv[1])
names = sys.argv[2:]


def read(name):
    p = out / name
    return p.read_text(errors="replace") if p.exists() else ""


# Floor and DLL enumeration, milliseconds.
enum = {}
for line in read("enum.txt").splitlines():
    m = re.match(r"\s*(\S+)\.zip\s+([\d]+)\s+([\d.]+)\s+([\d.]+)", line)
    if m:
        enum[m.group(1)] = (int(m.group(2)), float(m.group(3)), float(m.group(4)))


def peak_mb(name):
    text = read(f"memory-{name}.txt")
    peaks = [float(x) for x in re.findall(r"peak working set ([\d.]+) MB", text)]
    entries = re.findall(r"; ([\d,]+) entry lines", text)
    return (max(peaks) if peaks else None), (int(entries[-1].replace(",", "")) if entries else None)


# Timings: the progress lines of every round, per archive, and the table rows.
timings = read("timings.txt")
sections = {}
current = None
for line in timings.splitlines():
    m = re.match(r"-- .*[\\/](\S+)\.zip$", line.strip())
    if m:
        current = m.group(1)
        sections[current] = []
        continue
    m2 = re.match(r"== (\S+)\.zip$", line.strip())
    if m2:
        current = m2.group(1)
        sections.setdefault(current, [])
        continue
    if current:
        sections[current].append(line)


def rounds(name, what):
    vals = []
    for line in sections.get(name, []):
        m = re.match(r"\s+\S+: " + re.escape(what) + r" ([\d.]+) s", line)
        if m:
            vals.append(float(m.group(1)))
    return vals


def row_min(name, label_re):
    vals = []
    for line in sections.get(name, []):
        m = re.match(r"(" + label_re + r")\s{2,}([\d.]+)\s+([\d.]+)(.*)$", line)
        if m:
            vals.append((m.group(1).strip(), float(m.group(2)), m.group(4).strip()))
    return vals


def start_arg(name):
    v = row_min(name, r"5 start with the archive as argument \+ paint")
    return v[0][1] if v else None


one_peak, _ = peak_mb("one")
one_start = start_arg("one")

print()
print("== listing summary (times in ms; ratios to libarchive's own enumeration, the floor)")
header = ["archive", "entries", "floor", "DLL", "DLL/floor", "start", "start-1/floor", "open 1st", "open again",
          "again/1st", "switch max", "biggest folder", "peak B/entry"]
rows = []
for name in names:
    entries, floor, dll = enum.get(name, (None, None, None))
    start = start_arg(name)
    opens = rounds(name, "open (filer)")
    opens_text = rounds(name, "open (text)")
    first = opens[0] if opens else None
    again = min(opens[1:] + opens_text) if len(opens) > 1 or opens_text else None
    switches = [v for v in row_min(name, r"6 (?:enter|leave) \S+") if not v[0].startswith("d")]
    small = [s for s in switches if int(re.sub(r"[^\d]", "", (re.search(r"([\d,]+) rows", s[2]) or ["", "0"])[1]) or 0) <= 1000]
    big = [s for s in switches if s not in small]
    peak, lines = peak_mb(name)
    per_entry = None
    if peak is not None and one_peak is not None and lines:
        per_entry = (peak - one_peak) * 1024 * 1024 / lines

    def ms(v):
        return "-" if v is None else f"{v * 1000:.0f}"

    def ratio(a, b):
        return "-" if a is None or b in (None, 0) else f"{a / b:.2f}x"

    rows.append([
        name,
        "-" if entries is None else f"{entries:,}",
        "-" if floor is None else f"{floor:.0f}",
        "-" if dll is None else f"{dll:.0f}",
        ratio(dll, floor),
        ms(start),
        ratio(None if start is None or one_start is None else (start - one_start) * 1000, floor),
        ms(first),
        ms(again),
        ratio(again, first),
        ms(max((s[1] for s in small), default=None)),
        "-" if not big else f"{max(s[1] for s in big) * 1000:.0f} ({ratio(max(s[1] for s in big), first)} of open)",
        "-" if per_entry is None else f"{per_entry:.0f}",
    ])
widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
for r in [header] + rows:
    print("  ".join(str(c).rjust(w) if i else str(c).ljust(w) for i, (c, w) in enumerate(zip(r, widths))))
print()
print("targets: DLL/floor <= 1.3x; start-1/floor <= 1.5x (start with the archive less the one-entry start);")
print("         open again no slower than the first; a switch of <= 1,000 rows one frame (16 ms);")
print("         the biggest folder at most a quarter of the open; peak <= 400 bytes per entry.")

#!/usr/bin/env python3
"""Turns one language-file source (UTF-8, tab-separated) into the language
file the program reads: UTF-16LE with a byte-order mark, CR LF line ends.

Source lines have the six fields of the language file:
    Tag, Enabled, Name, Property, Japanese, English
The first line is the heading (first field "Tag"). The build stops on any line
the program would refuse or misread, so a mistake in a source never reaches
the shipped files.

usage: make_language_file.py SOURCE.tsv OUTPUT.txt
"""
import sys

PROPERTIES_BY_KIND = {
    "1": {"Caption"},           # menu item
    "2": {"Caption"},           # label, button, panel, tab sheet, group box, the window
    "4": {"Item"},              # list box
    "5": {"Caption", "Item"},   # radio group
    "6": {"Caption"},           # check box
    "7": {"Item"},              # combo box
    "8": {"Text"},              # edit box
}


def fail(source, line_no, message):
    sys.stderr.write(f"{source}:{line_no}: {message}\n")
    sys.exit(1)


def convert(source, output):
    with open(source, encoding="utf-8", newline="") as f:
        text = f.read()
    if text.startswith("\ufeff"):
        text = text[1:]
    text = text.replace("\r\n", "\n")
    if "\r" in text:
        fail(source, 0, "bare CR in the source")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines:
        fail(source, 0, "empty source")
    seen = set()
    for n, line in enumerate(lines, start=1):
        fields = line.split("\t")
        if len(fields) != 6:
            fail(source, n, f"{len(fields)} fields, not 6: {line!r}")
        tag, enabled, _name, prop, japanese, english = fields
        if n == 1:
            if tag.lower() != "tag":
                fail(source, n, "the first line must be the heading (first field \"Tag\")")
            continue
        if not tag.isascii() or not tag.isdigit():
            fail(source, n, f"tag {tag!r} is not a number")
        if enabled not in ("0", "1"):
            fail(source, n, f"enabled field {enabled!r} is neither 0 nor 1")
        allowed = PROPERTIES_BY_KIND.get(tag[0])
        if allowed is None or prop not in allowed:
            fail(source, n, f"property {prop!r} does not suit tag {tag}")
        if enabled == "1" and prop != "Item" and (not japanese or not english):
            fail(source, n, "an applied caption or text needs both languages")
        key = (tag, prop)
        if prop != "Item":
            if key in seen:
                fail(source, n, f"tag {tag} {prop} appears twice")
            seen.add(key)
    data = "\ufeff" + "".join(line + "\r\n" for line in lines)
    with open(output, "wb") as f:
        f.write(data.encode("utf-16-le"))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.stderr.write(__doc__)
        sys.exit(2)
    convert(sys.argv[1], sys.argv[2])

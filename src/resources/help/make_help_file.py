#!/usr/bin/env python3
"""Turns one help-file template (UTF-8) into the help file shipped beside the
program: UTF-16LE with a byte-order mark, CR LF line ends.

What the help says about the main window's keys and menus is taken from the
command table (src/app/MainMenuTable.cpp) and the main window's language
source (src/resources/language/Main.tsv), so the help never names a key or a
menu item the program does not have:
  - a line that is exactly "@MAIN_KEYS_JA@" or "@MAIN_KEYS_EN@" becomes the
    table of the default keys in Japanese or English;
  - "@KEY:Name@" in a line becomes the default key of the command Name (the
    Name field of the language source, such as MenuUnpack); the build stops
    when the command has no default key;
  - "@JA:Name@" / "@EN:Name@" become the Japanese / English caption of the
    menu item Name without its accelerator marks and trailing dots.

The other keyboard-driven windows are named after the main window's two
sources, each as WINDOW=TABLE,LANGUAGE,KEYMAPFILE (its command table source,
its language source and the name of its key-map file); a line that is exactly
"@KEYS_JA:WINDOW@" or "@KEYS_EN:WINDOW@" becomes that window's table of default
keys. Every table starts with a line naming the window's key-map file
("キーマップ: FILE" / "Key map: FILE"), by which the tests find it.

In the output a tab appears only in key-table rows ("  KEY<spaces><TAB>CAPTION"):
the tests find the tables by it, so the build stops on a template line with a
tab. It also stops on a line wider than MAX_COLUMNS (a wide character counts
two), because the help window does not wrap, and on any command row of the
table it cannot read.

usage: make_help_file.py TEMPLATE OUTPUT MainMenuTable.cpp Main.tsv [WINDOW=TABLE,LANGUAGE,KEYMAPFILE ...]
"""
import re
import sys
import unicodedata

MAX_COLUMNS = 100
INDENT = "  "
PLACEHOLDERS = {"@MAIN_KEYS_JA@": "ja", "@MAIN_KEYS_EN@": "en"}
WINDOW_PLACEHOLDER = re.compile(r"@KEYS_(JA|EN):([A-Za-z]+)@")
MAIN_KEYMAP_FILE = "quibFMarchive-KeyMap.txt"
KEYMAP_MARKER = {"ja": "キーマップ: ", "en": "Key map: "}

NOTE = {
    "ja": ["既定のキーが無いコマンドにも、メニューの @JA:MenuSetting@ > @JA:MenuKeyBoad@ で",
           "キーを割り当てられます。"],
    "en": ["Commands without a default key can be given one in",
           "@EN:MenuSetting@ > @EN:MenuKeyBoad@."],
}


class HelpError(Exception):
    pass


# ---------------------------------------------------------------- command table

def skip_string(source, i):
    """Index just after the string literal whose opening quote is at i."""
    j = i + 1
    while j < len(source) and source[j] != '"':
        j += 2 if source[j] == "\\" else 1
    return j + 1


def strip_comments(source):
    """The C++ source without // and /* */ comments; string literals are kept
    intact, so a key text such as L"/" survives."""
    out = []
    i, n = 0, len(source)
    while i < n:
        if source[i] == '"':
            j = skip_string(source, i)
            out.append(source[i:j])
            i = j
        elif source.startswith("//", i):
            j = source.find("\n", i)
            i = n if j < 0 else j
        elif source.startswith("/*", i):
            j = source.find("*/", i + 2)
            if j < 0:
                raise HelpError("unterminated /* comment")
            out.append(" ")
            i = j + 2
        else:
            out.append(source[i])
            i += 1
    return "".join(out)


def unescape(literal):
    """The text inside a wide string literal."""
    out = []
    i = 0
    while i < len(literal):
        c = literal[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        nxt = literal[i + 1:i + 2]
        if nxt in ("\\", '"', "'"):
            out.append(nxt)
            i += 2
        elif nxt == "u" and re.fullmatch(r"[0-9A-Fa-f]{4}", literal[i + 2:i + 6]):
            out.append(chr(int(literal[i + 2:i + 6], 16)))
            i += 6
        else:
            raise HelpError(f"escape \\{nxt} in {literal!r} is not understood")
    return "".join(out)


STR = r'L"((?:[^"\\]|\\.)*)"'
# {tag, L"category", L"name", L"caption", L"key", ...: what follows the key
# (separator flag, flags, a handler) is no concern of the help.
COMMAND_ROW = re.compile(
    r"\{\s*(\d+)\s*,\s*" + STR + r"\s*,\s*" + STR + r"\s*,\s*" + STR + r"\s*,\s*" + STR + r"\s*[,}]")
# Whatever starts like a command row (a number, then no number), so that a
# row the pattern above cannot read stops the build instead of vanishing
# from the help.
COMMAND_ROW_START = re.compile(r"\{\s*\d+\s*,\s*[^\s\d]")
# {L"category", L"caption", tag ...}
MENU_BAR_ROW = re.compile(r"\{\s*" + STR + r"\s*,\s*" + STR + r"\s*,\s*(\d+)\s*[,}]")


def read_command_table(path):
    """The command rows and the top-level menu rows of the source, in order."""
    with open(path, encoding="utf-8-sig") as f:
        source = strip_comments(f.read())
    commands = []
    read = set()
    for m in COMMAND_ROW.finditer(source):
        read.add(m.start())
        commands.append({
            "tag": int(m.group(1)),
            "category": unescape(m.group(2)),
            "name": unescape(m.group(3)),
            "caption": unescape(m.group(4)),
            "key": unescape(m.group(5)),
        })
    if not commands:
        raise HelpError(f"{path}: no command rows found")
    missed = [m.start() for m in COMMAND_ROW_START.finditer(source) if m.start() not in read]
    if missed:
        row = source[missed[0]:].split("\n")[0]
        raise HelpError(f"{path}: a command row is not understood: {row!r}")
    tags = [c["tag"] for c in commands]
    if len(set(tags)) != len(tags):
        raise HelpError(f"{path}: a tag appears twice")

    bar = [{"category": unescape(m.group(1)), "caption": unescape(m.group(2)), "tag": int(m.group(3))}
           for m in MENU_BAR_ROW.finditer(source)]
    known = {b["category"] for b in bar}
    for c in commands:
        if c["category"] not in known:
            raise HelpError(f"{path}: command {c['tag']} is in category {c['category']!r}, "
                            "which has no top-level menu")
    return commands, bar


# ---------------------------------------------------------------- language source

def read_language_source(path):
    """Tag -> (Name, Japanese, English) of every Caption line."""
    with open(path, encoding="utf-8-sig") as f:
        lines = f.read().replace("\r\n", "\n").split("\n")
    captions = {}
    for n, line in enumerate(lines, start=1):
        if not line:
            continue
        fields = line.split("\t")
        if len(fields) != 6:
            raise HelpError(f"{path}:{n}: {len(fields)} fields, not 6")
        if n == 1 and fields[0].lower() == "tag":
            continue
        if fields[3] == "Caption" and fields[0].isdigit():
            captions[int(fields[0])] = (fields[2], fields[4], fields[5])
    return captions


# ---------------------------------------------------------------- texts

def display_caption(caption):
    """A menu caption as the help shows it: an accelerator in brackets, such as
    " (&A)" or "(&O)", goes; every other single "&" goes; "&&" is a literal "&"."""
    caption = re.sub(r" ?\(&[^&]\)", "", caption)
    out = []
    i = 0
    while i < len(caption):
        if caption[i] == "&":
            if caption[i + 1:i + 2] == "&":
                out.append("&")
                i += 2
            else:
                i += 1
            continue
        out.append(caption[i])
        i += 1
    return "".join(out)


class Texts:
    """The captions and keys the help may name."""

    def __init__(self, commands, bar, language, keymap_file=MAIN_KEYMAP_FILE, note=True):
        self.keymap_file = keymap_file
        self.note = note
        self.commands = commands
        self.bar = bar
        self.language = language
        # The command table is the source of the Japanese captions; the
        # language source fills in the rest.
        self.japanese = {tag: ja for tag, (_name, ja, _en) in language.items()}
        self.japanese.update({b["tag"]: b["caption"] for b in bar})
        self.japanese.update({c["tag"]: c["caption"] for c in commands})
        self.keys = {c["tag"]: c["key"] for c in commands}
        self.tag_by_name = {name: tag for tag, (name, _ja, _en) in language.items()}

    def caption(self, tag, lang):
        if lang == "ja":
            text = self.japanese.get(tag, "")
        else:
            text = self.language.get(tag, ("", "", ""))[2]
        if not text:
            raise HelpError(f"tag {tag} has no {'Japanese' if lang == 'ja' else 'English'} caption")
        return display_caption(text)

    def tag(self, name):
        if name not in self.tag_by_name:
            raise HelpError(f"no menu item named {name} in the language source")
        return self.tag_by_name[name]

    def key(self, name):
        tag = self.tag(name)
        if tag not in self.keys:
            raise HelpError(f"{name} is not a command of the main window")
        if not self.keys[tag]:
            raise HelpError(f"{name} has no default key")
        return self.keys[tag]


REFERENCE = re.compile(r"@(KEY|JA|EN):([A-Za-z0-9_]+)@")


def expand_references(line, texts):
    def one(m):
        kind, name = m.group(1), m.group(2)
        if kind == "KEY":
            return texts.key(name)
        # In running text "Open..." would run into the sentence's own stop.
        return texts.caption(texts.tag(name), kind.lower()).rstrip(".")
    return REFERENCE.sub(one, line)


def key_table(lang, texts):
    """The commands with a default key, grouped by top-level menu, behind the
    line that names the window's key-map file."""
    keyed = [c for c in texts.commands if c["key"]]
    if not keyed:
        raise HelpError(f"{texts.keymap_file}: no command has a default key")
    width = max((len(c["key"]) for c in keyed), default=0)
    # With a fixed-pitch font the tab after the padded key lands on the same
    # stop in every row, whether the stops are 4 or 8 characters apart; with
    # a proportional one the tab still keeps key and caption apart.
    column = -(-(len(INDENT) + width + 1) // 8) * 8 - len(INDENT)
    out = [KEYMAP_MARKER[lang] + texts.keymap_file, ""]
    listed = 0
    for menu in texts.bar:
        rows = [c for c in keyed if c["category"] == menu["category"]]
        if not rows:
            continue
        out.append(f"[{texts.caption(menu['tag'], lang)}]")
        for c in rows:
            out.append(f"{INDENT}{c['key'].ljust(column)}\t{texts.caption(c['tag'], lang).strip()}")
        out.append("")
        listed += len(rows)
    if listed != len(keyed):
        raise HelpError(f"{texts.keymap_file}: a command with a key is in no menu of the menu bar")
    if texts.note:
        out.extend(expand_references(line, texts) for line in NOTE[lang])
    elif out[-1] == "":
        out.pop()
    return out


# ---------------------------------------------------------------- output

def display_width(line):
    width = 0
    for ch in line:
        if ch == "\t":
            width = (width // 8 + 1) * 8
        elif unicodedata.east_asian_width(ch) in ("W", "F"):
            width += 2
        else:
            width += 1
    return width


def read_window(argument):
    """WINDOW=TABLE,LANGUAGE,KEYMAPFILE -> (WINDOW, Texts)."""
    name, sep, rest = argument.partition("=")
    parts = rest.split(",")
    if not sep or not re.fullmatch(r"[A-Za-z]+", name) or len(parts) != 3 or not all(parts):
        raise HelpError(f"window argument {argument!r} is not WINDOW=TABLE,LANGUAGE,KEYMAPFILE")
    commands, bar = read_command_table(parts[0])
    return name, Texts(commands, bar, read_language_source(parts[1]), parts[2], note=False)


def make(template, output, table_source, language_source, *windows):
    with open(template, encoding="utf-8-sig", newline="") as f:
        text = f.read().replace("\r\n", "\n")
    if "\r" in text:
        raise HelpError(f"{template}: bare CR")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()

    commands, bar = read_command_table(table_source)
    texts = Texts(commands, bar, read_language_source(language_source))
    others = dict(read_window(w) for w in windows)

    result = []
    for n, line in enumerate(lines, start=1):
        stripped = line.strip()
        if stripped in PLACEHOLDERS:
            result.extend(key_table(PLACEHOLDERS[stripped], texts))
            continue
        m = WINDOW_PLACEHOLDER.fullmatch(stripped)
        if m:
            if m.group(2) not in others:
                raise HelpError(f"{template}:{n}: no window named {m.group(2)} was given")
            result.extend(key_table(m.group(1).lower(), others[m.group(2)]))
            continue
        if "\t" in line:
            raise HelpError(f"{template}:{n}: tab in the text (tabs mark key-table rows only)")
        try:
            line = expand_references(line, texts)
        except HelpError as e:
            raise HelpError(f"{template}:{n}: {e}") from None
        if re.search(r"@[A-Z_]+(:[A-Za-z0-9_]*)?@", line):
            raise HelpError(f"{template}:{n}: unknown placeholder in {line!r}")
        result.append(line.rstrip(" "))

    for n, line in enumerate(result, start=1):
        if display_width(line) > MAX_COLUMNS:
            raise HelpError(f"{output}: line {n} is {display_width(line)} columns wide "
                            f"(at most {MAX_COLUMNS}): {line!r}")

    data = "\ufeff" + "".join(line + "\r\n" for line in result)
    with open(output, "wb") as f:
        f.write(data.encode("utf-16-le"))


if __name__ == "__main__":
    if len(sys.argv) < 5:
        sys.stderr.write(__doc__)
        sys.exit(2)
    try:
        make(*sys.argv[1:])
    except (HelpError, OSError) as e:
        sys.stderr.write(f"make_help_file.py: {e}\n")
        sys.exit(1)

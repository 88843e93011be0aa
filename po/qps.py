#!/usr/bin/env python3
"""Writes the pseudo-language qps from the template: every text 40 % longer, in brackets, with
letters that code page 437 lacks (ą, ł, Ж) beside ones it has (ß, é), its placeholders kept; a
text of several words grows by words.
Under qps a screen shows at a glance which texts bypass the catalogue (no brackets), which are
cut (no closing bracket) and whether the second font draws.

    qps.py qz.pot qps.po
"""
import math
import re
import sys

import katalog

PLACEHOLDER = re.compile(r"(\{\{|\}\}|\{[^{}]*\})")
LETTERS = str.maketrans({"a": "ą", "l": "ł", "e": "é", "s": "ß", "A": "Ą", "L": "Ł", "E": "É", "Z": "Ж"})
PADDING = "ąłЖßé"


def pseudo(text):
    if not text.strip():
        return text
    stripped = text.strip(" \n")
    lead = text[: len(text) - len(text.lstrip(" \n"))]
    trail = text[len(text.rstrip(" \n")):]
    pieces = PLACEHOLDER.split(stripped)
    body = "".join(p if PLACEHOLDER.fullmatch(p) else p.translate(LETTERS) for p in pieces)
    shown = len(PLACEHOLDER.sub("", stripped))
    padding = max(1, math.ceil(shown * 1.4) - shown - 2)
    # A text of several words grows by words, so that a wrapped paragraph still breaks into lines.
    fill = (" " + PADDING) * padding if " " in stripped else PADDING * padding
    fill = fill[:padding]
    if fill.endswith(" "):
        fill = fill[:-1] + PADDING[0]
    return lead + "[" + body + fill + "]" + trail


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    entries = katalog.read(sys.argv[1])
    out = ['msgid ""', 'msgstr ""', '"Project-Id-Version: QZ\\n"', '"PO-Revision-Date: 2026-01-01 00:00+0000\\n"',
           '"Last-Translator: qps.py\\n"', '"Language-Team: QZ\\n"', '"Language: qps\\n"', '"MIME-Version: 1.0\\n"',
           '"Content-Type: text/plain; charset=UTF-8\\n"', '"Content-Transfer-Encoding: 8bit\\n"', ""]
    for e in entries:
        if not e.msgid:
            continue
        if e.context is not None:
            out.append("msgctxt " + katalog.quote(e.context))
        out += ["msgid " + katalog.quote(e.msgid), "msgstr " + katalog.quote(pseudo(e.msgid)), ""]
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write("\n".join(out))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Extracts the marked texts of the game's sources into the template qz.pot.

The sources write their German texts in code page 437 bytes ("Zur\\x81" "ck"); xgettext would
read such an escape as a Unicode code point, so every copy it reads has those escapes replaced
by the UTF-8 character they stand for. The template's header is fixed (no creation date), so
that the file only changes when a text does.

    extract.py SOURCE_DIR OUTPUT.pot          writes the template
    extract.py SOURCE_DIR --check qz.pot      fails when the sources mark a text qz.pot lacks
"""
import os
import re
import subprocess
import sys
import tempfile

import katalog

# The folders of the game whose texts a player reads; the server and the tools speak to
# operators in English and mark nothing.
FOLDERS = ["platform", "gfx", "frame", "state", "systems", "fleets", "map", "sandbox", "viewer", "multiplayer", "app"]
KEYWORDS = ["tr", "trMark", "trc:1c,2", "trcMark:1c,2"]

HEADER = '''# The texts of QZ: German, the game's own language, is the message id of every entry.
# A new language: copy this file to po/<code>.po, fill in "Language:" and every msgstr, build.
msgid ""
msgstr ""
"Project-Id-Version: QZ\\n"
"PO-Revision-Date: 2026-01-01 00:00+0000\\n"
"Last-Translator: QZ\\n"
"Language-Team: QZ\\n"
"Language: \\n"
"MIME-Version: 1.0\\n"
"Content-Type: text/plain; charset=UTF-8\\n"
"Content-Transfer-Encoding: 8bit\\n"
"Plural-Forms: nplurals=2; plural=(n != 1);\\n"

'''

ESCAPE = re.compile(r"\\x([89A-Fa-f][0-9A-Fa-f])")


def source_files(root):
    for folder in FOLDERS:
        for base, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith((".cpp", ".hpp")):
                    yield os.path.relpath(os.path.join(base, name), root)


def extract(root):
    """The template's text for the sources under root."""
    with tempfile.TemporaryDirectory() as copy:
        files = sorted(source_files(root))
        for rel in files:
            with open(os.path.join(root, rel), encoding="utf-8") as f:
                text = f.read()
            text = ESCAPE.sub(lambda m: bytes([int(m.group(1), 16)]).decode("cp437"), text)
            os.makedirs(os.path.dirname(os.path.join(copy, rel)), exist_ok=True)
            with open(os.path.join(copy, rel), "w", encoding="utf-8") as f:
                f.write(text)
        # With a header xgettext writes UTF-8 (without, ASCII only): its own header, which carries a
        # creation date, gives way to ours.
        command = ["xgettext", "--language=C++", "--from-code=UTF-8", "--sort-by-file", "--no-wrap",
                   "--add-location=file", "--add-comments=TRANSLATORS:", "-k", "--directory", copy, "-o", "-"]
        command += ["--keyword=" + k for k in KEYWORDS] + files
        output = subprocess.run(command, check=True, capture_output=True, text=True, encoding="utf-8").stdout
    return HEADER + output.split("\n\n", 1)[1] if "\n\n" in output else HEADER


def main():
    if len(sys.argv) == 4 and sys.argv[2] == "--check":
        with tempfile.TemporaryDirectory() as tmp:
            fresh = os.path.join(tmp, "sources.pot")
            with open(fresh, "w", encoding="utf-8") as f:
                f.write(extract(sys.argv[1]))
            marked = {(e.context, e.msgid): e for e in katalog.read(fresh) if e.msgid}
        known = {(e.context, e.msgid) for e in katalog.read(sys.argv[3]) if e.msgid}
        missing = [e for key, e in marked.items() if key not in known]
        for e in missing:
            where = " ".join(c[3:] for c in e.comments if c.startswith("#:"))
            print(f"{where}: '{e.msgid}' is marked but missing from {sys.argv[3]}", file=sys.stderr)
        if missing:
            print("run the build target qz_pot and commit po/", file=sys.stderr)
        print(f"{len(marked)} marked texts, {len(missing)} missing from the template")
        return 1 if missing else 0
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    text = extract(sys.argv[1])
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())

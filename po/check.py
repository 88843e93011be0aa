#!/usr/bin/env python3
"""The checks of the translation catalogues, run by the test command:
  - msgfmt --check accepts every catalogue;
  - English is complete: no entry of the template untranslated or fuzzy in en.po;
  - every translation names the same placeholders ({name}) as its message id.

    check.py qz.pot CATALOGUE.po...
"""
import os
import re
import subprocess
import sys

import katalog

PLACEHOLDER = re.compile(r"\{\{|\}\}|\{([^{}]*)\}")


def names(text):
    return sorted({m.group(1) for m in PLACEHOLDER.finditer(text) if m.group(1) is not None})


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    template, catalogues = sys.argv[1], sys.argv[2:]
    faults = []
    wanted = {(e.context, e.msgid) for e in katalog.read(template) if e.msgid}
    for path in catalogues:
        result = subprocess.run(["msgfmt", "--check", "-o", os.devnull, path], capture_output=True, text=True)
        if result.returncode != 0:
            faults.append(f"{path}: msgfmt --check failed:\n{result.stderr}")
        entries = {(e.context, e.msgid): e for e in katalog.read(path) if e.msgid}
        for e in entries.values():
            if e.msgstr and names(e.msgstr) != names(e.msgid):
                faults.append(f"{path}:{e.line}: placeholders {names(e.msgstr)} instead of {names(e.msgid)}"
                              f" in the translation of '{e.msgid}'")
        if os.path.basename(path) == "en.po":
            for key in sorted(wanted, key=lambda k: (k[0] or "", k[1])):
                e = entries.get(key)
                if e is None or not e.msgstr or e.fuzzy:
                    state = "missing" if e is None else "fuzzy" if e.fuzzy else "untranslated"
                    faults.append(f"{path}: '{key[1]}' is {state}")
    for fault in faults:
        print(fault, file=sys.stderr)
    print(f"{len(catalogues)} catalogues checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

"""Reads the entries of a PO file as xgettext and msgmerge write them, one block of lines per
entry with empty lines between (for qps.py and check.py)."""
import ast

FIELDS = {"msgctxt": "context", "msgid": "msgid", "msgstr": "msgstr"}


class Entry:
    def __init__(self):
        self.comments = []   # the lines starting with "#", as they stand
        self.context = None
        self.msgid = ""
        self.msgstr = ""
        self.line = 0        # of the msgid, for messages

    @property
    def fuzzy(self):
        return any(c.startswith("#,") and "fuzzy" in c for c in self.comments)


def read(path):
    """Every entry of the file, the header (empty msgid) first, obsolete ones ("#~") left out."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    entries, entry, field = [], Entry(), None
    for number, raw in enumerate(lines + [""], 1):
        line = raw.strip()
        if not line:
            if field is not None:
                entries.append(entry)
            entry, field = Entry(), None
        elif line.startswith("#"):
            if not line.startswith("#~"):
                entry.comments.append(line)
        elif line.startswith('"'):
            setattr(entry, field, getattr(entry, field) + ast.literal_eval(line))
        else:
            keyword, _, rest = line.partition(" ")
            if keyword not in FIELDS:
                raise ValueError(f"{path}:{number}: cannot read '{raw}'")
            field = FIELDS[keyword]
            if field == "msgid":
                entry.line = number
            setattr(entry, field, ast.literal_eval(rest))
    return entries


def quote(text):
    """A PO string literal."""
    out = text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t").replace("\n", "\\n")
    return f'"{out}"'

"""What the inspector (tests/wine/programs/inspector.cpp) prints, parsed: one record a line, and
the dump of one top-level window with its descendants and list rows."""

TITLE = "Vetrix v1.395pre"
# The start button's two captions: recognition stopped, recognition running.
START, WAITING = "Старт", "Ожидание"


class Record(dict):
    """One inspector line: .kind plus its key=value fields."""

    def __init__(self, kind, fields):
        super().__init__(fields)
        self.kind = kind

    def rect(self, key="rect"):
        return tuple(int(v) for v in self[key].split())

    def flag(self, key):
        return self.get(key) == "1"

    def __repr__(self):
        return f"{self.kind}{dict(self)!r}"


def _unescape(value):
    out, i = [], 0
    while i < len(value):
        c = value[i]
        if c == "\\" and i + 1 < len(value):
            out.append({"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}.get(value[i + 1], value[i + 1]))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def parse_records(text):
    records = []
    for line in text.splitlines():
        if not line:
            continue
        kind, *fields = line.split("\t")
        pairs = (f.split("=", 1) for f in fields)
        records.append(Record(kind, {k: _unescape(v) for k, v in pairs}))
    return records


def one(found, what):
    if len(found) != 1:
        raise AssertionError(f"expected one {what}, found {found}")
    return found[0]


class Dump:
    """The inspector's view of one top-level window and its descendants."""

    def __init__(self, records):
        self.window = next(r for r in records if r.kind == "window")
        self.children = [r for r in records if r.kind == "child"]
        self.items = [r for r in records if r.kind == "item"]

    def start_button(self):
        """The start button: the one button whose caption is Старт or Ожидание."""
        found = [c for c in self.find("Button") if c["text"] in (START, WAITING)]
        if len(found) != 1:
            raise AssertionError(f"expected one Start button, found {found}; "
                                 + describe_dump(self))
        return found[0]

    def find(self, cls=None, text=None):
        return [c for c in self.children
                if (cls is None or c["class"].lower() == cls.lower())
                and (text is None or c["text"] == text)]

    def rows(self, child):
        return [i["text"] for i in self.items if i["hwnd"] == child["hwnd"]]

    def selected_rows(self, child):
        return [int(i["index"]) for i in self.items
                if i["hwnd"] == child["hwnd"] and i.flag("selected")]


def describe_dump(dump):
    if dump is None:
        return "no such window"
    return f'window visible={dump.window["visible"]}; ' + "; ".join(
        f'{c["class"]} "{c["text"]}" at {c["crect"]}' for c in dump.children)

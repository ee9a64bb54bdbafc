"""gesture.ini in a test's folder: written as Wine writes it (CRLF, code page 1251), read back
as bytes or as sections."""

import os
import re
import subprocess

from harness.waiting import UI_TIMEOUT, poll

INI = "gesture.ini"


def ini_text(sections):
    """{"Main": {"Num": "2", ...}, ...} as a profile file, CRLF, key order kept."""
    lines = []
    for section, keys in sections.items():
        lines.append(f"[{section}]")
        lines.extend(f"{k}={v}" for k, v in keys.items())
    return "\r\n".join(lines) + "\r\n"


def write_ini(folder, sections):
    """Writes the folder's gesture.ini from sections; returns its path."""
    path = os.path.join(folder, INI)
    with open(path, "wb") as f:
        f.write(ini_text(sections).encode("cp1251"))
    return path


def with_gestures(gestures=(), **main):
    """Sections of a [Main] with those settings, then the gestures given as angle lists."""
    keys = dict(main)
    if gestures:
        keys["Num"] = len(gestures)
        keys.update((str(i + 1), " ".join(map(str, g))) for i, g in enumerate(gestures))
    return {"Main": keys}


def ini_files(folder):
    """The folder's settings files, whatever the case of the name (writers spell it both ways)."""
    return [n for n in os.listdir(folder) if n.lower() == INI]


def ini_path(folder):
    names = ini_files(folder)
    return os.path.join(folder, names[0]) if names else None


def ini_lines(folder):
    """The file's lines as bytes, exactly as written."""
    path = ini_path(folder)
    if path is None:
        return []
    with open(path, "rb") as f:
        return f.read().split(b"\r\n")


def wait_ini_line(folder, pattern, timeout=UI_TIMEOUT):
    """Waits for a line of the settings file that matches the bytes regex; returns the match."""
    regex = re.compile(pattern)
    return poll(f"a line {pattern!r} in gesture.ini",
                lambda: next(filter(None, map(regex.fullmatch, ini_lines(folder))), None),
                timeout, lambda _: repr(ini_lines(folder)))


def read_ini(folder):
    """The file as {section: {key: value}}, names lower-cased as Wine compares them.
    A key twice in a section fails: a reader would see only the first."""
    names = ini_files(folder)
    if len(names) != 1:
        raise AssertionError(f"expected one {INI} in the program's folder, found "
                             f"{os.listdir(folder)}")
    with open(os.path.join(folder, names[0]), "rb") as f:
        text = f.read().decode("cp1251")
    sections, current = {}, None
    for line in text.splitlines():
        if line.startswith("[") and line.rstrip().endswith("]"):
            current = sections.setdefault(line.strip()[1:-1].lower(), {})
        elif current is not None and "=" in line:
            key, value = (part.strip() for part in line.split("=", 1))
            if key.lower() in current:
                raise AssertionError(f"key {key!r} twice in {INI}:\n{text}")
            current[key.lower()] = value
    return sections


def lower_keys(sections):
    return {s.lower(): {k.lower(): v for k, v in keys.items()} for s, keys in sections.items()}


def make_unwritable(test, path):
    """Protects the file for the rest of `test` and returns what it holds."""
    os.chmod(path, 0o444)
    if os.geteuid() == 0:
        # Wine marks the file read-only but, run as root, writes it all the same; the
        # immutable flag stops root too. Without it the test would prove nothing.
        result = subprocess.run(["chattr", "+i", path], capture_output=True, text=True)
        test.assertEqual(result.returncode, 0,
                         f"running as root, chattr +i is needed: {result.stderr.strip()}")
        test.addCleanup(subprocess.run, ["chattr", "-i", path], check=False)
    with open(path, "rb") as f:
        return f.read()

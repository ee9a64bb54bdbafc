"""Pictures read from the screen: screenshots, a rectangle's pixels to compare with a reference
picture, and the tray icon."""

import os
import re
import subprocess
import tempfile

from harness.inspector import one
from harness.waiting import UI_TIMEOUT, poll


def screenshot(session, path):
    subprocess.run(["import", "-window", "root", path], env=session.env, check=True, timeout=60)


def capture(session, rect):
    """The screen's pixels in (left, top, width, height) as binary PPM, 8 bits a sample."""
    left, top, width, height = rect
    return subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}",
                           "+repage", "-depth", "8", "ppm:-"], env=session.env,
                          capture_output=True, check=True, timeout=60).stdout


def pixels(ppm):
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    if not match:
        raise AssertionError(f"not a binary 8-bit PPM: {ppm[:20]!r}")
    return int(match.group(1)), int(match.group(2)), ppm[match.end():]


def crop(ppm, width, height):
    """The top-left width x height of a picture."""
    w, h, data = pixels(ppm)
    rows = (data[y * w * 3:(y * w + width) * 3] for y in range(min(h, height)))
    return b"P6\n%d %d\n255\n" % (width, min(h, height)) + b"".join(rows)


def differences(got, want):
    """(x, y, got RGB, wanted RGB) for every pixel that differs."""
    gw, gh, gp = pixels(got)
    ww, wh, wp = pixels(want)
    if (gw, gh) != (ww, wh):
        raise AssertionError(f"captured {gw} x {gh}, reference {ww} x {wh}")
    return [(i // 3 % gw, i // 3 // gw, tuple(gp[i:i + 3]), tuple(wp[i:i + 3]))
            for i in range(0, len(wp), 3) if gp[i:i + 3] != wp[i:i + 3]]


def keep_for_inspection(name, got, want):
    """Saves both pictures of a failed comparison, which the test folder would lose."""
    folder = os.path.join(tempfile.gettempdir(), "vetrix-capture-failures")
    os.makedirs(folder, exist_ok=True)
    paths = [os.path.join(folder, f"{name}-{kind}.ppm") for kind in ("screen", "reference")]
    for path, data in zip(paths, (got, want)):
        with open(path, "wb") as f:
            f.write(data)
    return paths


# --- the tray --------------------------------------------------------------------

def taskbar(session):
    return one([w for w in session.records("windows")
                if w["class"] == "Shell_TrayWnd" and w.flag("visible")], "visible taskbar")


def tray_icon_point(session):
    # Wine's taskbar draws tray icons, 20 px apart, from its right end and
    # gives them no windows; in a fresh desktop ours is the only one.
    left, top, width, height = taskbar(session).rect()
    return left + width - 10, top + height // 2


def tray_picture(session):
    """The pixels of our tray icon (RGB bytes of its 16 x 16 square)."""
    x, y = tray_icon_point(session)
    return subprocess.run(
        ["import", "-window", "root", "-crop", f"16x16+{x - 8}+{y - 8}", "+repage", "-depth", "8",
         "rgb:-"], env=session.env, check=True, capture_output=True, timeout=60).stdout


QUESTION_MARK, OWN_ICON, NO_PICTURE = "the question mark", "the program's own icon", "no picture"


def picture_kind(pixels):
    # Wine's stock question-mark icon is a blue disc; the program's own picture is white
    # with red and blue arrows; an empty cell is plain taskbar.
    rgb = [pixels[i:i + 3] for i in range(0, len(pixels), 3)]
    blue = sum(1 for r, _, b in rgb if b > 120 and b > r + 60)
    red = sum(1 for r, g, b in rgb if r > 200 and g < 80 and b < 80)
    if blue >= 60:
        return QUESTION_MARK
    return OWN_ICON if red >= 4 else NO_PICTURE


def wait_tray(session, what, accept, timeout=UI_TIMEOUT):
    """Polls the tray icon's picture until accept(picture) holds; returns what accept gave."""
    seen = {}

    def probe():
        seen["picture"] = tray_picture(session)
        return accept(seen["picture"])
    return poll(f"the tray icon to show {what}", probe, timeout,
                lambda _: picture_kind(seen["picture"]))


def wait_tray_picture(session, kind, timeout=UI_TIMEOUT):
    """Polls the tray icon until it shows that kind of picture."""
    wait_tray(session, kind, lambda picture: picture_kind(picture) == kind, timeout)

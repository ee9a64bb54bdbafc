"""Shared steps of the recording, drawing and playback tests.

The program runs in hot-key mode ("HK=yes", no key): its first activation then hides the window
without starting recognition, so pointer moves and clicks only do what the test means them to.
Drawing-area points map to the screen by the program's own rule (the window's outer edges and
client size, plus 5), so a test points where the program will think it points.
"""

import os
import shutil
import subprocess

from harness.display import SCREEN
from harness.inspector import one
from harness.session import REPO, Config
from harness.waiting import START_TIMEOUT

RECORD, RECORDING = "Запись", "Записывается"
EXACT = "Точная запись"
# The bitmap keeps the drawing area's design size until the window is resized after its first
# activation; the control itself is laid out to the client size before that.
DESIGN_BITMAP = (209, 281)

# Built by the native preset, which the mingw build does not know of.
REFERENCE_DRAWING = os.environ.get("VETRIX_REFERENCE_DRAWING") or os.path.join(
    REPO, "build", "native", "tests", "unit", "reference_drawing")


# --- the program ---------------------------------------------------------------

def run_from_private_copy(session, name="bin"):
    """Makes the session start a copy of vetrix.exe and Zorv.dll in its own folder.

    Binding a file moves the program's current directory to its own folder and writes the
    settings file there; a copy keeps that write out of the build tree and away from other tests.
    Returns the folder of the copy."""
    folder = os.path.join(session.root, name)
    os.mkdir(folder)
    built = os.path.dirname(session.config.exe)
    for name in ("vetrix.exe", "Zorv.dll"):
        shutil.copy2(os.path.join(built, name), folder)
    c = session.config
    session.config = Config(os.path.join(folder, "vetrix.exe"), c.inspector, c.prefix,
                            c.wine_env)
    return folder


def start_shown(session):
    """Starts the program in hot-key mode and brings its window back from the tray.

    In hot-key mode the start button keeps reading "Старт", so the end of start-up shows otherwise: the
    window is hidden again after having been placed at the centre, where it is first shown."""
    session.start()

    def activated(dump):
        left, top, width, height = dump.window.rect()
        centred = (left, top) == ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2)
        return not dump.window.flag("visible") and centred
    session.wait_dump("the window hidden in the tray after its first activation", activated,
                      timeout=START_TIMEOUT)
    return session.show_from_tray()


def button(dump, caption):
    return one(dump.find("Button", caption), f'button "{caption}"')


def lists(dump):
    """The gesture list (numbers) and the action list (actions), left to right."""
    boxes = sorted(dump.find("ListBox"), key=lambda c: c.rect()[0])
    if len(boxes) != 2:
        raise AssertionError(f"expected two list boxes, found {boxes}")
    return boxes


def drawing_area(dump):
    return one(dump.find("VetrixImage"), "drawing area")


def drawing_to_screen(dump, x, y):
    """The screen point that the program maps to drawing-area point (x, y)."""
    left, top, width, height = dump.window.rect()
    client_width, client_height = (int(v) for v in dump.window["client"].split())
    return x + left + width - client_width - 5, y + top + height - client_height - 5


# --- drawings --------------------------------------------------------------------

def reference_tool():
    # A failure, not a skip: CTest counts a skipped script as passed, and the comparison would
    # then go unchecked without a word.
    if not os.path.isfile(REFERENCE_DRAWING):
        raise AssertionError(f"{REFERENCE_DRAWING} is missing: build the native preset first "
                             "(./test, or cmake --preset native && cmake --build --preset native)")
    return REFERENCE_DRAWING


def reference(width, height, scale, start, angles):
    """The fake platform's drawing of one gesture, as binary PPM."""
    args = [reference_tool(), str(width), str(height), str(scale), str(start[0]), str(start[1]),
            *map(str, angles)]
    return subprocess.run(args, capture_output=True, check=True, timeout=30).stdout

#!/usr/bin/env python3
"""Takes the pictures of the user guide's "first five minutes" from the real program under Wine
on a private Xvfb, cropped small: docs/first-start.png (the first start's balloon by the tray)
and docs/main-window.png (the window after the five minutes' steps). Look at both before they
replace the ones in docs/ (git add -f: pictures are otherwise kept out).

Usage: python3 tests/wine/guide_pictures.py [OUT_DIR] [BUILD_DIR]   defaults: docs, build/mingw
It needs the mingw build and uses its test prefix: run no Wine test of that build meanwhile.
"""

import os
import subprocess
import sys

from e2e import shell_steps as steps
from harness import pointer, profile, screen
from harness.session import REPO, Config, Session
from harness.waiting import UI_TIMEOUT, poll

COPY = "Копировать;+ctrl;*c;-ctrl;"
# The window after the five minutes: right then down, bound to the copy command, the command
# in the box, the right mouse button as the trigger.
AFTER_FIVE_MINUTES = {
    "Main": {"Num": "1", "1": "0 270", "a0": "*" + COPY, "UM": "1", "MB": "3", "Scale": "20",
             "x2": "60", "y2": "40"},
    "Messages": {"NumOfMessages": "1", "1": COPY},
}


def crop(session, rect, path):
    left, top, width, height = rect
    subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}",
                    "+repage", path], env=session.env, check=True, timeout=60)
    print(f"saved {path}")


def first_start(config, out):
    session = Session(config, "ru_RU.UTF-8")
    try:
        session.xdotool("mousemove", "512", "300")
        steps.start_hidden(session)
        balloon = poll("the balloon", lambda: [
            w for w in session.records("windows")
            if w["class"] == "tooltips_class32" and w.flag("visible")])[0]
        left, top, width, height = balloon.rect()
        taskbar = screen.taskbar(session).rect()
        # The balloon and the tray icon it points at, with a margin.
        right = taskbar[0] + taskbar[2]
        bottom = taskbar[1] + taskbar[3]
        left = max(0, min(left, right - 40) - 12)
        top = max(0, top - 12)
        crop(session, (left, top, right - left, bottom - top), os.path.join(out, "first-start.png"))
    finally:
        session.close()


def main_window(config, out):
    session = Session(config, "ru_RU.UTF-8")
    try:
        profile.write_ini(session.folder, AFTER_FIVE_MINUTES)
        steps.start_hidden(session)
        dump = session.show_from_tray()
        gestures = steps.labelled(dump)["ListBox 1"]
        session.click_at(*pointer.row_point(gestures, 0))
        session.wait_dump("the gesture's row selected",
                          lambda d: d.selected_rows(steps.labelled(d)["ListBox 1"]) == [0])
        combo = steps.combo_box(dump)
        # The saved line, chosen from the drop-down list, is what the box then holds.
        left, top, _, _ = steps.drop_down(session, combo).rect()
        session.click_at(left + 20, top + 8)
        session.wait_dump("the command in the box",
                          lambda d: steps.labelled(d)["ComboBox edit"]["text"] == COPY)
        session.xdotool("mousemove", *map(str, (combo.rect()[0] - 40, combo.rect()[1] - 200)))
        window = session.dump().window
        crop(session, window.rect(), os.path.join(out, "main-window.png"))
    finally:
        session.close()


def main():
    out = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(REPO, "docs"))
    build = sys.argv[2] if len(sys.argv) > 2 else os.path.join(REPO, "build", "mingw")
    config = Config.of_build(build)
    first_start(config, out)
    main_window(config, out)


if __name__ == "__main__":
    main()

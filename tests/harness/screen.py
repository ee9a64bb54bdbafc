"""Pictures read from the screen."""

import subprocess


def screenshot(session, path):
    subprocess.run(["import", "-window", "root", path], env=session.env, check=True, timeout=60)


def tray_icon_point(session):
    # Wine's taskbar draws tray icons, 20 px apart, from its right end and
    # gives them no windows; in a fresh desktop ours is the only one.
    trays = [w for w in session.records("windows")
             if w["class"] == "Shell_TrayWnd" and w.flag("visible")]
    if len(trays) != 1:
        raise AssertionError(f"expected one visible taskbar, found {trays}")
    left, top, width, height = trays[0].rect()
    return left + width - 10, top + height // 2

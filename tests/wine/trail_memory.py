#!/usr/bin/env python3
"""Peak memory of the trail under Wine: how much the program's resident set grows for one
trigger press, a gesture of 100 + 100 px, and a long run that draws across the whole screen, with the right mouse
button as the trigger. Linux's peak-RSS counter (VmHWM) is reset before each, so start-up's
peak does not hide it. `--before` measures a second build the same way; `--dpi` scales the
screen as e2e.scaling does (1024 x 768 at 96), and the trail's picture grows with it."""

import argparse
import os
import sys
import time

from harness import profile
from harness.session import Config, Session
from harness.waiting import START_TIMEOUT, poll
from measure_under_wine import find_program, status_kib

RIGHT = 3


def peak_kib(session, pid, moves):
    """The rise of the peak resident set over what was resident before `moves` ran."""
    time.sleep(1.0)
    before = status_kib(pid, "VmRSS")
    with open(f"/proc/{pid}/clear_refs", "w") as f:
        f.write("5")  # resets VmHWM to the current resident set
    session.xdotool(*moves)
    time.sleep(1.5)  # the trail leaves with the run's end
    return status_kib(pid, "VmHWM") - before


def measure(exe, args):
    config = Config.of_build(args.build, exe=exe, prefix="wineprefix-bench")
    session = Session(config, dpi=args.dpi)
    try:
        profile.write_ini(session.folder, {"Main": {"Num": 1, "1": "0 270", "a0": "", "UM": 1,
                                                    "MB": RIGHT}})
        session.start()
        session.wait_dump("the window hidden in the tray", lambda d: not d.window.flag("visible"),
                          timeout=START_TIMEOUT)
        pid = poll("the program's Linux process",
                   lambda: find_program(session.xvfb.display, exe))
        width, height = session.screen
        press = ["mousemove", str(width // 2), str(height // 2), "sleep", "0.2",
                 "mousedown", str(RIGHT), "sleep", "0.3", "mouseup", str(RIGHT)]
        small = ["mousemove", str(width // 2), str(height // 2), "sleep", "0.2",
                 "mousedown", str(RIGHT)]
        for dx, dy in [(10, 0)] * 10 + [(0, 10)] * 10:
            small += ["mousemove_relative", "--", str(dx), str(dy), "sleep", "0.02"]
        small += ["mouseup", str(RIGHT)]
        # Corner to corner and back along every side: one try as large as the screen.
        run = ["mousemove", "5", "5", "sleep", "0.2", "mousedown", str(RIGHT)]
        corners = [(width - 5, height - 5), (5, height - 5), (width - 5, 5), (5, 5)] * 3
        x, y = 5, 5
        for cx, cy in corners:
            for i in range(1, 21):
                run += ["mousemove", str(x + (cx - x) * i // 20), str(y + (cy - y) * i // 20),
                        "sleep", "0.01"]
            x, y = cx, cy
        run += ["mouseup", str(RIGHT)]
        return [peak_kib(session, pid, moves) for moves in (press, small, run)]
    finally:
        session.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build/mingw", help="the mingw build folder")
    parser.add_argument("--before", help="a second vetrix.exe (Zorv.dll beside it)")
    parser.add_argument("--dpi", type=int, default=96)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    exes = [("now", os.path.abspath(os.path.join(args.build, "vetrix.exe")))]
    if args.before:
        exes.append(("before", os.path.abspath(args.before)))
    print(f"at {args.dpi} dpi: the rise of the peak resident set, KiB, per run")
    for label, exe in exes:
        figures = [measure(exe, args) for _ in range(args.runs)]
        for i, what in enumerate(("press", "100 + 100 px", "long run")):
            print(f"{label:7} {what:12} {' '.join(str(f[i]) for f in figures)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

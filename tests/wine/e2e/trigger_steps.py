"""Shared steps of the trigger tests: a profile with one gesture whose action leaves a mark,
drawing that gesture with the real pointer, the tray picture, and trigger_window (another
program on the desktop).

The gesture is a stroke to the right, then one down ("0 270"). With one gesture the failure
threshold is 0, so the 3-second timer never holds back a start, and the pointer's way to the
start point (up and to the left of wherever it was) matches no stroke.
"""

import os

from harness import profile, screen
from harness.processes import ToolRun, kill_group, log_lines
from harness.session import VetrixTest, wine_path
from harness.waiting import START_TIMEOUT, poll

GESTURE = "0 270"
STEP, STEPS = 30, 4  # each step counts (> 20 px) and still matches its stroke
HOT_KEY = "ctrl+alt+F5"
# On trigger_window (0, 0, 200 x 700), clear of the main window, which starts at x = 214: a
# gesture drawn with a mouse button from START_POINT to END_POINT, a click at CLICK_POINT.
TARGET_RECT = ("0", "0", "200", "700")
START_POINT = (40, 100)
END_POINT = (40 + STEPS * STEP, 100 + STEPS * STEP)
CLICK_POINT = (100, 400)
WRONG_KEY, ERROR_CAPTION = "Неправильно задана клавиша!", "Ошибка!"


def tool_path(session):
    path = os.environ.get("VETRIX_TRIGGER_WINDOW") or os.path.join(
        os.path.dirname(session.config.inspector), "trigger_window.exe")
    if not os.path.isfile(path):
        raise RuntimeError(f"trigger_window.exe not found at {path}; build the tests first")
    return path


class Tool(ToolRun):
    """One trigger_window run in a folder of its own."""

    def __init__(self, proc, folder):
        super().__init__(proc, folder, "trigger.log")

    def wait(self, what, accept, timeout=START_TIMEOUT):
        """Waits until accept(line) holds for a line of the log; returns that line."""
        def probe():
            if self.proc.poll() is not None:
                raise AssertionError(f"trigger_window exited with {self.proc.returncode}; "
                                     f"log: {self.log()!r}")
            return next((line for line in self.log() if accept(line)), None)
        return poll(what, probe, timeout, lambda _: repr(self.log()))

    def lines(self, prefix):
        return [line for line in self.log() if line.startswith(prefix)]

    def events(self):
        """The button messages and context menus seen so far, as (name, x, y)."""
        return [(f[0], int(f[1]), int(f[2])) for f in (line.split() for line in self.log())
                if f[0].startswith("WM_")]

class TriggerTest(VetrixTest):
    """A session whose program folder holds gesture.ini and mark.bat; the gesture's action
    runs mark.bat, which appends a line to hits.txt."""

    def write_profile(self, action=None, sections=None, **main):
        """`main` goes into [Main] after the gesture; `sections` are further sections."""
        folder = self.session.folder
        self.hits_path = os.path.join(folder, "hits.txt")
        bat = os.path.join(folder, "mark.bat")
        with open(bat, "w", newline="\r\n") as f:
            f.write(f'@echo hit>>"{wine_path(self.hits_path)}"\n')
        profile.write_ini(folder, {"Main": {"Num": 1, "1": GESTURE, "a0": action or wine_path(bat),
                                            **main}, **(sections or {})})

    def hits(self):
        return len(log_lines(self.hits_path))

    def _actions_running(self):
        # The batch files the program has started, found by their display: other tests may run
        # Wine at the same time, but never on this Xvfb.
        mine = f"DISPLAY={self.session.xvfb.display}".encode()
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/environ", "rb") as f:
                    if mine not in f.read().split(b"\0"):
                        continue
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    if b"cmd.exe" in f.read().lower():
                        return True
            except OSError:
                pass
        return False

    def expect_hits(self, count):
        """Checks that the action has run exactly `count` times in all.

        Call it once the program has shown that it got past the moment of a possible firing
        (a caption changed after it): the batch files it started are then running or done, so
        waiting for them to end makes the count final. Running ones are looked for before the
        count is read, or one that ends in between would be missed.
        """
        poll(f"{count} run(s) of the gesture's action, all ended",
             lambda: not self._actions_running() and self.hits() >= count,
             describe=lambda _: f"{self.hits()} run(s)")
        self.assertEqual(self.hits(), count, "runs of the gesture's action")

    # --- the program ---------------------------------------------------------

    def caption(self):
        return self.session.dump().start_button()["text"]

    def wait_hidden(self, caption):
        """The end of start-up: the window hidden in the tray, the start button reading `caption`."""
        return self.session.wait_dump(
            f'the window hidden with the start button reading "{caption}"',
            lambda d: not d.window.flag("visible") and d.start_button()["text"] == caption,
            timeout=START_TIMEOUT)

    def wait_icon(self):
        """Our stopped picture, once drawn (the taskbar is white where there is no icon)."""
        return screen.wait_tray(self.session, "our icon", lambda p: p.strip(b"\xff") and p)


    # --- the pointer ---------------------------------------------------------

    # Under Wine a press that comes with the jump to its point is sometimes followed by a stray
    # move back to where the pointer was, which the hook library takes for a drawn gesture; a
    # person never presses in the same instant as moving 300 px, so we pause in between.
    SETTLE = ("sleep", "0.1")

    def press(self, point, button):
        self.session.xdotool("mousemove", *map(str, point), *self.SETTLE, "mousedown", str(button))

    def click(self, point, button):
        self.session.xdotool("mousemove", *map(str, point), *self.SETTLE, "click", str(button))

    def draw(self, start, button=None, strokes=((STEP, 0), (0, STEP)), release=True):
        """Draws the gesture (or `strokes`, one step of each) from `start`, holding `button`
        (xdotool's number) if given, and releasing it at the end unless told not to."""
        x, y = start
        args = ["mousemove", str(x), str(y), *self.SETTLE]
        if button:
            args += ["mousedown", str(button), *self.SETTLE]
        for dx, dy in strokes:
            for _ in range(STEPS):
                x, y = x + dx, y + dy
                # Slow enough for the 10 ms sampling to see every step on its own.
                args += ["mousemove", str(x), str(y), "sleep", "0.03"]
        if button and release:
            args += ["mouseup", str(button)]
        self.session.xdotool(*args)

    def hot_key(self):
        self.session.xdotool("key", HOT_KEY)

    # --- another program -----------------------------------------------------

    def start_tool(self, *args, wait_for, folder="tool"):
        """Starts trigger_window with `args` in `folder` (its log's), and waits for a log line
        starting `wait_for`."""
        folder = os.path.join(self.session.root, folder)
        os.makedirs(folder, exist_ok=True)
        proc = self.session.run_wine(tool_path(self.session), *args, cwd=folder,
                                     log_path=os.path.join(folder, "out.txt"))
        self.addCleanup(kill_group, proc)
        tool = Tool(proc, folder)
        tool.wait(f'trigger_window to log "{wait_for}"', lambda line: line.startswith(wait_for))
        return tool


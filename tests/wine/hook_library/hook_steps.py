"""Shared part of the Zorv.dll tests: zorv_host (a stand-in main window around the DLL) and
click_target (the window under the pointer) in one session of the harness, with their logs.

Nothing is waited for with a fixed sleep. Input reaches the hook and the windows in order, so
"nothing happened" is checked after a marker: a click of a button that passes untouched, seen
by the target, proves that everything before it has been dealt with.
"""

import os
import subprocess
import sys

from harness import session
from harness.processes import ToolRun, kill_group, log_lines
from harness.session import VetrixTest
from harness.waiting import START_TIMEOUT, UI_TIMEOUT, poll

WM_LBUTTONDOWN, WM_LBUTTONUP = 513, 514
WM_RBUTTONDOWN, WM_RBUTTONUP = 516, 517
WM_MBUTTONDOWN, WM_MBUTTONUP = 519, 520

# The property's button numbers, which are also xdotool's.
LEFT, MIDDLE, RIGHT = 1, 2, 3
BUTTON_NAMES = {LEFT: "L", MIDDLE: "M", RIGHT: "R"}
DOWN_UP = {LEFT: [WM_LBUTTONDOWN, WM_LBUTTONUP], MIDDLE: [WM_MBUTTONDOWN, WM_MBUTTONUP],
           RIGHT: [WM_RBUTTONDOWN, WM_RBUTTONUP]}
TRIGGER_ON, HOLD_BACK = 0x100, 0x200
TAG = 0x5654524B

# Inside the target (200, 150, 600 x 400), clear of Wine's taskbar.
PRESS = (400, 300)
AWAY = (500, 300)  # 100 px: a gesture, not a click

_target_exe = None


def trigger(button, on=True, hold_back=True):
    return button | (TRIGGER_ON if on else 0) | (HOLD_BACK if hold_back else 0)


def down(button):
    return f"WM_{BUTTON_NAMES[button]}BUTTONDOWN"


def up(button):
    return f"WM_{BUTTON_NAMES[button]}BUTTONUP"


class TargetEvent:
    def __init__(self, line):
        fields = line.split()
        self.name = fields[0]
        self.x, self.y = int(fields[1]), int(fields[2])
        self.extra = int(fields[3], 16) if len(fields) > 3 else None

    @property
    def tagged(self):
        return self.extra == TAG

    def __repr__(self):
        extra = "" if self.extra is None else f" extra={self.extra:#x}"
        return f"{self.name}@{self.x},{self.y}{extra}"


def _exited(proc):
    return "still starting" if proc.poll() is None else f"exited with {proc.returncode}"


class Host(ToolRun):
    """One zorv_host run in its own folder: its log and its control files."""

    def __init__(self, proc, folder):
        super().__init__(proc, folder, "host.log")

    def hooks(self):
        """The wParam of every HookMouseMessage received before UnInstallHook, in order."""
        return [int(line.split()[1]) for line in self.log() if line.startswith("hook ")]

    def wait(self, what, accept):
        return poll(what, lambda: accept(self.log()) and self.log(), UI_TIMEOUT,
                    lambda _: repr(self.log()))

    def wait_hooks(self, count):
        """Waits until `count` hook messages have come; returns them all."""
        poll(f"{count} hook messages", lambda: len(self.hooks()) >= count,
             UI_TIMEOUT, lambda _: repr(self.log()))
        return self.hooks()

    def set_trigger(self, word):
        self.signal("trigger", f"{word:#x}\n")

        def current(log):
            values = [line for line in log if line.startswith("trigger ")]
            return values and values[-1] == f"trigger {word:#x}"
        self.wait(f"the property to read {word:#x}", current)

    def timing(self, key):
        """A "key=milliseconds" value of the log."""
        for line in self.log():
            if line.startswith(key + "="):
                return float(line.split("=", 1)[1])
        raise AssertionError(f"no {key} in the host's log: {self.log()!r}")

    def stop(self, test):
        """Asks the host to close and waits for its clean exit; returns its log."""
        self.signal("stop")
        try:
            code = self.proc.wait(timeout=UI_TIMEOUT)
        except subprocess.TimeoutExpired:
            test.fail(f"zorv_host did not exit after UnInstallHook; log: {self.log()!r}")
        test.assertEqual(code, 0, "zorv_host's exit code")
        test.assertEqual(self.log()[-1], "exit")
        return self.log()


class ZorvTest(VetrixTest):
    """self.session is a fresh Wine desktop; start_target() and start_host() fill it."""

    def setUp(self):
        super().setUp()
        self.folder = self.session.folder

    def _launch(self, exe, args, folder):
        proc = self.session.run_wine(
            exe, *args, cwd=folder,
            log_path=os.path.join(self.session.root, os.path.basename(exe) + ".out"))
        self.addCleanup(kill_group, proc)
        return proc

    def start_target(self):
        proc = self._launch(_target_exe, [], self.folder)
        poll("click_target to start", lambda: "ready" in self.target_log(),
             START_TIMEOUT, lambda _: _exited(proc))

    def start_host(self, *args, folder=None):
        """Starts zorv_host (in the test's folder unless given one) and waits for InstallHook."""
        folder = folder or self.folder
        os.makedirs(folder, exist_ok=True)
        host = Host(self._launch(self.session.config.exe, args, folder), folder)
        poll("zorv_host to install the hook",
             lambda: any(line.startswith("ready") for line in host.log()),
             START_TIMEOUT, lambda _: _exited(host.proc))
        return host

    # --- the target ----------------------------------------------------------

    def target_log(self):
        return log_lines(os.path.join(self.folder, "target.log"))

    def target_events(self):
        return [TargetEvent(line) for line in self.target_log() if line != "ready"]

    def target_names(self, events=None):
        return [e.name for e in (self.target_events() if events is None else events)]

    def wait_target(self, name, count=1):
        """Waits until the target has seen `name` `count` times; returns all it has seen."""
        poll(f"{count} x {name} at the target",
             lambda: self.target_names().count(name) >= count,
             UI_TIMEOUT, lambda _: repr(self.target_events()))
        return self.target_events()

    def marker(self, button=MIDDLE, at=AWAY):
        """A click that passes untouched; returns the target's events from before it."""
        before = self.target_names().count(up(button))
        self.xdotool("mousemove", *map(str, at), "click", str(button))
        events = self.wait_target(up(button), before + 1)
        # Quick enough after another click there, the press shows as a double click.
        presses = (down(button), down(button).replace("DOWN", "DBLCLK"))
        cut = max(i for i, e in enumerate(events) if e.name in presses)
        return events[:cut]

    # --- the pointer ---------------------------------------------------------

    def xdotool(self, *args):
        self.session.xdotool(*args)

    def press(self, button, at=PRESS):
        self.xdotool("mousemove", *map(str, at), "mousedown", str(button))

    def release(self, button, at=None):
        moves = ["mousemove", *map(str, at)] if at else []
        self.xdotool(*moves, "mouseup", str(button))

    def drag(self, button, start=PRESS, end=AWAY):
        self.xdotool("mousemove", *map(str, start), "mousedown", str(button),
                     "mousemove", *map(str, end), "mouseup", str(button))

    def click(self, button, at=PRESS, repeat=1):
        self.xdotool("mousemove", *map(str, at), "click", "--repeat", str(repeat),
                     "--delay", "80", str(button))


def main():
    global _target_exe  # pylint: disable=global-statement
    args = sys.argv[1:]
    if "--target" in args:
        i = args.index("--target")
        _target_exe = os.path.abspath(args[i + 1])
        del args[i:i + 2]
    _target_exe = _target_exe or os.environ.get("VETRIX_CLICK_TARGET")
    if not _target_exe or not os.path.isfile(_target_exe):
        sys.exit("hook library tests: --target click_target.exe is missing")
    sys.argv[1:] = args
    session.main()

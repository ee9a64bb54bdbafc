"""The real pointer and keyboard, driven with xdotool in the session's display, and the X
pointer read back."""

import ctypes
import ctypes.util
import subprocess
import threading
import time

from harness.waiting import poll

ROW_HEIGHT = 13  # of both lists and the combo box's drop-down list


class Pointing:
    """Mixed into Session, whose env names its display."""

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=30)

    def click_at(self, x, y, button=1):
        # One call: XTest queues the move before the press, so the press lands
        # there. (--sync would wait 15 s when the pointer is already in place.)
        self.xdotool("mousemove", str(x), str(y), "click", str(button))

    def click_centre(self, child):
        self.click_at(*centre(child))


def centre(child):
    left, top, width, height = child.rect()
    return left + width // 2, top + height // 2


def row_point(box, row, border=2):
    """The middle of a list's row; border is the edge above the first row (1 in a drop-down)."""
    left, top, width, _ = box.rect()
    return left + width // 2, top + border + ROW_HEIGHT * row + ROW_HEIGHT // 2


def position(session):
    """Where X has the pointer."""
    out = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=session.env,
                         capture_output=True, text=True, check=True, timeout=30).stdout
    fields = dict(line.split("=", 1) for line in out.split())
    return int(fields["X"]), int(fields["Y"])


def move_seen(session, x, y):
    """Moves the pointer and waits until Wine reports it there, so that the program's next loop
    pass has sampled it before anything else happens (a click sent along with the move could be
    handled in the same pass, against the old position)."""
    session.xdotool("mousemove", str(x), str(y))

    def probe():
        record = session.records("cursor")[0]
        return (int(record["x"]), int(record["y"])) == (x, y)
    poll(f"Wine to see the pointer at ({x}, {y})", probe)


def stroke_steps(session, start, steps, pause=0.03):
    """Moves from start by each (dx, dy) in turn, pausing so that every position is sampled."""
    x, y = start
    for dx, dy in steps:
        time.sleep(pause)
        x, y = x + dx, y + dy
        session.xdotool("mousemove", str(x), str(y))
    return x, y


class _X11:
    """XQueryPointer through ctypes: a query costs microseconds, so nothing of a 25 ms playback
    step is missed. (GetCursorPos in another Wine process is no witness: it now and then
    reports the position before the program's last SetCursorPos.)"""

    def __init__(self):
        name = ctypes.util.find_library("X11") or "libX11.so.6"
        lib = ctypes.CDLL(name)
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XDefaultRootWindow.restype = ctypes.c_ulong
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XQueryPointer.argtypes = ([ctypes.c_void_p, ctypes.c_ulong]
                                      + [ctypes.POINTER(ctypes.c_ulong)] * 2
                                      + [ctypes.POINTER(ctypes.c_int)] * 4
                                      + [ctypes.POINTER(ctypes.c_uint)])
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.lib = lib


class PointerTrace:
    """Records every distinct X pointer position from the moment it is started until the
    pointer has stood still for `quiet` seconds after its first move (or `timeout`)."""

    def __init__(self, session, quiet=0.5, timeout=10.0):
        self.lib = _X11().lib
        self.display = self.lib.XOpenDisplay(session.env["DISPLAY"].encode())
        if not self.display:
            raise RuntimeError(f"cannot open X display {session.env['DISPLAY']}")
        self.root = self.lib.XDefaultRootWindow(self.display)
        self.quiet, self.timeout = quiet, timeout
        self.start = self._query()
        self.moves = []
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()

    def _query(self):
        window, child = ctypes.c_ulong(), ctypes.c_ulong()
        rx, ry, wx, wy = (ctypes.c_int() for _ in range(4))
        mask = ctypes.c_uint()
        self.lib.XQueryPointer(self.display, self.root, ctypes.byref(window), ctypes.byref(child),
                               ctypes.byref(rx), ctypes.byref(ry), ctypes.byref(wx),
                               ctypes.byref(wy), ctypes.byref(mask))
        return rx.value, ry.value

    def _run(self):
        began = last_move = time.monotonic()
        last = self.start
        while True:
            time.sleep(0.0005)
            now, here = time.monotonic(), self._query()
            if here != last:
                self.moves.append(here)
                last, last_move = here, now
            elif self.moves and now - last_move >= self.quiet:
                break
            if now - began >= self.timeout:
                break

    def finish(self):
        """Waits for the pointer to settle; returns the positions it took after the start."""
        self.thread.join()
        self.lib.XCloseDisplay(self.display)
        return self.moves

"""Runs a program under Wine for one test: the real vetrix.exe, or a stand-in for it.

Each test gets a private Xvfb, a fresh folder as the program's current
directory (where it keeps gesture.ini), and the shared prepared prefix. The
inspector (a Win32 program in the same Wine desktop) reads what is on screen;
xdotool moves and clicks the real pointer.

Test scripts subclass VetrixTest and run through main(), which takes the paths
from the command line (as CTest passes them) or from VETRIX_* variables. By
hand, from build/mingw: ctest -R e2e.start_button -V, or
  PYTHONPATH=../../tests/wine python3 ../../tests/wine/e2e/test_start_button.py --exe vetrix.exe \
    --inspector tests/wine/programs/inspector.exe --prefix wineprefix-tests \
    --wine-env ../../tools/wine-env.sh StartButton
"""

import argparse
import atexit
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from harness import screen
from harness.display import SCREEN, Xvfb
from harness.inspector import TITLE, WAITING, Dump, describe_dump, one, parse_records
from harness.pointer import Pointing
from harness.processes import die_with_parent, kill_group
from harness.waiting import START_TIMEOUT, UI_TIMEOUT, poll

_config = None
_live_sessions = []


REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
WINE_ENV = os.path.join(REPO, "tools", "wine-env.sh")


def programs_folder(build):
    """Where the mingw build at `build` keeps the stand-in programs of tests/wine/programs."""
    return os.path.join(build, "tests", "wine", "programs")


class Config:
    def __init__(self, exe, inspector, prefix, wine_env=WINE_ENV):
        self.exe = os.path.abspath(exe)
        self.inspector = os.path.abspath(inspector)
        self.prefix = os.path.abspath(prefix)
        self.wine_env = os.path.abspath(wine_env)

    @classmethod
    def of_build(cls, build, exe=None, prefix="wineprefix-tests"):
        """The mingw build at `build`: its vetrix.exe (or `exe`), inspector and a prefix in it."""
        build = os.path.abspath(build)
        return cls(exe or os.path.join(build, "vetrix.exe"),
                   os.path.join(programs_folder(build), "inspector.exe"),
                   os.path.join(build, prefix))


def wine_path(path):
    """A Linux path as Wine sees it through drive Z:."""
    return "Z:" + path.replace("/", "\\")


def scaled_screen(dpi):
    """The screen and Wine desktop of a session at `dpi`: 1024 x 768 scaled, so that the window,
    scaled with it, fits as it does at 96 (Wine cuts a window larger than its desktop)."""
    return (SCREEN[0] * dpi // 96, SCREEN[1] * dpi // 96)


class Session(Pointing):
    """One program run: display, folder, Wine environment, and cleanup. At a `dpi` other than
    96 the session runs in a prefix of its own (the shared one's name with -scaled), whose
    system DPI and desktop it sets before anything starts: no other test sees them."""

    def __init__(self, config, locale="C.UTF-8", dpi=96):
        self.config = config
        self.locale = locale
        self.dpi = dpi
        self.screen = scaled_screen(dpi)
        self.prefix = config.prefix if dpi == 96 else config.prefix + "-scaled"
        self.program = None
        self.xvfb = None
        self.root = tempfile.mkdtemp(prefix="vetrix-wine-")
        # The program's folder holds nothing but what a test puts there.
        self.folder = os.path.join(self.root, "cwd")
        os.mkdir(self.folder)
        self.log_path = os.path.join(self.root, "program.log")
        _live_sessions.append(self)
        try:
            self._check_locale()
            self.xvfb = Xvfb(self.screen)
            self.env = self._wine_env()
            self._prepare_prefix()
            self._kill_wineserver()  # leftovers of a test that was killed
            if dpi != 96:
                self._set_scale()
            # Starts wineserver, services and the desktop now, so the program
            # starts as fast as it would on a warm system.
            self.inspect("windows")
        except BaseException:
            self.close()
            raise

    def _check_locale(self):
        if self.locale.startswith("C."):
            return
        names = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
        wanted = self.locale.lower().replace("utf-8", "utf8")
        if wanted not in names.lower().split():
            raise RuntimeError(f"locale {self.locale} is not installed; run tools/install-deps.sh")

    def _wine_env(self):
        env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "LANG"))}
        env.update(
            LANG=self.locale, LC_ALL=self.locale, DISPLAY=self.xvfb.display,
            WINEPREFIX=self.prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        return env

    def _prepare_prefix(self):
        result = subprocess.run(["bash", self.config.wine_env, "prefix", self.prefix],
                                env=self.env, capture_output=True, text=True, timeout=600)
        if result.returncode != 0:
            raise RuntimeError("preparing the Wine prefix failed:\n" + result.stderr)

    def _set_scale(self):
        # Wine reads LogPixels at each process start; the desktop takes its size when made.
        # Both are set with no Wine process running, and every process started afterwards
        # sees them.
        reg = os.path.join(self.root, "scale.reg")
        with open(reg, "w", encoding="ascii") as f:
            f.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
                    f'"LogPixels"=dword:{self.dpi:08x}\n\n'
                    "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"
                    f'"Default"="{self.screen[0]}x{self.screen[1]}"\n')
        result = subprocess.run(["wine", "regedit", "/S", wine_path(reg)], env=self.env,
                                capture_output=True, text=True, timeout=120)
        if result.returncode != 0:
            raise RuntimeError("setting the scale in the Wine prefix failed: " + result.stderr)
        self._kill_wineserver()

    def _kill_wineserver(self):
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True, timeout=30)
        subprocess.run(["wineserver", "-w"], env=self.env, capture_output=True, timeout=30)

    # --- the program ---------------------------------------------------------

    def run_wine(self, exe, *args, cwd, log_path, env=None):
        """Starts a Win32 program in this session's desktop; its output goes to log_path.
        `env`: variables that differ for this program alone (WINEDEBUG, say)."""
        log = open(log_path, "ab")
        try:
            return subprocess.Popen(["wine", exe, *args], cwd=cwd, env={**self.env, **(env or {})},
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                    start_new_session=True, preexec_fn=die_with_parent)
        finally:
            log.close()

    def launch(self, env=None):
        """Starts vetrix.exe in the test folder and returns its process."""
        return self.run_wine(self.config.exe, cwd=self.folder, log_path=self.log_path, env=env)

    def start(self, env=None):
        """Starts the program and waits for its main window, shown or not."""
        for attempt in range(3):
            self.program = self.launch(env)
            try:
                return self.wait_window(visible=None)
            except AssertionError:
                # The program itself always ends with 0; a silent non-zero exit before any
                # window is Wine failing to start it (as with the inspector), so start again.
                failed_to_start = (self.program.poll() not in (None, 0)
                                   and not self.program_log().strip())
                if not failed_to_start or attempt == 2:
                    raise
                time.sleep(0.2 * (attempt + 1))

    def program_log(self):
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                return f.read()[-4000:]
        except OSError:
            return ""

    def assert_running(self):
        if self.program is not None and self.program.poll() is not None:
            raise AssertionError(f"vetrix.exe exited with code {self.program.returncode}; "
                                 f"its output:\n{self.program_log()}")

    # --- the inspector -------------------------------------------------------

    def inspect(self, *args, check=True):
        """Runs the inspector; returns (exit code, stdout text, stderr text)."""
        for attempt in range(3):
            code, text, errors = self._inspect_once(args)
            # The inspector explains its own failures on stderr; a silent non-zero exit is
            # Wine failing to start it (seen right after the previous test's wineserver went),
            # which a second start gets past.
            if code == 0 or "inspector:" in errors:
                break
            time.sleep(0.2 * (attempt + 1))
        if check and code != 0:
            raise AssertionError(f"inspector {' '.join(args)} failed ({code}): {errors.strip()}")
        return code, text, errors

    def _inspect_once(self, args):
        # Files, not pipes: a Wine process that starts the prefix's services or
        # desktop hands them its handles, and they would hold a pipe open for good.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run(["wine", self.config.inspector, *args], env=self.env,
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                  timeout=60).returncode
            out.seek(0)
            err.seek(0)
            return code, out.read().decode("utf-8"), err.read().decode("utf-8", "replace")

    def records(self, *args):
        return parse_records(self.inspect(*args)[1])

    def windows(self, title=TITLE):
        return self.records("windows", title)

    def dump(self, title=TITLE):
        code, text, _ = self.inspect("dump", title, check=False)
        return Dump(parse_records(text)) if code == 0 else None

    def acp(self):
        return int(self.records("acp")[0]["ansi"])

    def wait_window(self, title=TITLE, visible=True, timeout=START_TIMEOUT):
        """Waits for a top-level window with that title; visible=None takes any."""
        def probe():
            self.assert_running()
            return next((w for w in self.windows(title)
                         if visible is None or w.flag("visible") == visible), None)
        state = {True: "visible ", False: "hidden ", None: ""}[visible]
        return poll(f'a {state}window titled "{title}"', probe, timeout,
                    lambda _: self._all_windows_text())

    def wait_dump(self, what, accept, title=TITLE, timeout=UI_TIMEOUT):
        """Polls dumps of the window until accept(dump) holds; returns that dump."""
        seen = {}

        def probe():
            self.assert_running()
            seen["dump"] = self.dump(title)
            return seen["dump"] if seen["dump"] and accept(seen["dump"]) else None
        return poll(what, probe, timeout, lambda _: describe_dump(seen.get("dump")))

    def visible_windows(self):
        return [(w["class"], w["title"]) for w in self.records("windows") if w.flag("visible")]

    def wait_top_level(self, cls, title=None, timeout=UI_TIMEOUT):
        """A visible top-level window of that class (a menu, a list dropped down, a box)."""
        def probe():
            self.assert_running()
            return [w for w in self.records("windows") if w["class"] == cls and w.flag("visible")
                    and title in (None, w["title"])]
        return one(poll(f"a visible {cls} window", probe, timeout,
                        lambda _: self.visible_windows()), cls)

    def _all_windows_text(self):
        return "top-level windows: " + "; ".join(
            f'{w["class"]} "{w["title"]}" visible={w["visible"]}'
            for w in self.records("windows") if w["title"])

    def wait_caption(self, caption, what="", timeout=UI_TIMEOUT):
        """Waits until the start button reads `caption`; `what` says after what. Returns that dump."""
        return self.wait_dump(f'the start button to read "{caption}"{what}',
                              lambda d: d.start_button()["text"] == caption, timeout=timeout)

    def wait_activated(self):
        """Waits for the end of start-up: on its first activation the window
        hides itself in the tray and starts recognition, so the start button reads
        "Ожидание". Returns the dump of the hidden window."""
        return self.wait_dump(
            f'the window hidden in the tray with the start button reading "{WAITING}"',
            lambda d: not d.window.flag("visible") and d.find("Button", WAITING),
            timeout=START_TIMEOUT)

    def show_from_tray(self):
        """A real left click on the tray icon brings the window back."""
        self.click_at(*screen.tray_icon_point(self))
        self.wait_window(visible=True, timeout=UI_TIMEOUT)
        return self.dump()

    # --- cleanup -------------------------------------------------------------

    def close(self):
        if self not in _live_sessions:
            return
        _live_sessions.remove(self)
        if self.program is not None:
            kill_group(self.program)
        if self.xvfb is not None:
            # Every Wine process of the prefix goes, so the next test starts clean.
            self._kill_wineserver()
            self.xvfb.stop()
        shutil.rmtree(self.root, ignore_errors=True)


def _close_all():
    for session in list(_live_sessions):
        session.close()


atexit.register(_close_all)


def _terminate(signum, _frame):
    # Raised inside the running test, so unittest still runs its cleanups.
    raise SystemExit(128 + signum)


class VetrixTest(unittest.TestCase):
    """Base class: self.session is a fresh run in the given locale."""

    locale = "C.UTF-8"
    # The system DPI of the session's Wine prefix (see Session).
    dpi = 96

    def setUp(self):
        self.session = self.new_session(self.locale)

    def new_session(self, locale):
        session = Session(_config, locale, self.dpi)
        self.addCleanup(session.close)
        return session


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--exe", default=os.environ.get("VETRIX_EXE"))
    parser.add_argument("--inspector", default=os.environ.get("VETRIX_INSPECTOR"))
    parser.add_argument("--prefix", default=os.environ.get("VETRIX_WINEPREFIX"))
    parser.add_argument("--wine-env", default=os.environ.get("VETRIX_WINE_ENV"))
    args, rest = parser.parse_known_args()
    missing = [k for k, v in vars(args).items() if not v]
    if missing:
        sys.exit("harness: missing " + ", ".join("--" + m.replace("_", "-") for m in missing))
    for path in (args.exe, args.inspector, args.wine_env):
        if not os.path.isfile(path):
            sys.exit(f"harness: {path} does not exist")
    global _config  # pylint: disable=global-statement
    _config = Config(args.exe, args.inspector, args.prefix, args.wine_env)
    signal.signal(signal.SIGTERM, _terminate)
    unittest.main(argv=[sys.argv[0], "-v", *rest])

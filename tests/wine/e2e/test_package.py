"""The zip for Windows users: unpacked into a fresh folder, the program starts from there,
finds its hook library, and closes with exit code 0; the checker beside it explains a file."""

import copy
import os
import subprocess
import zipfile

from harness import profile
from harness.session import REPO, VetrixTest, main
from harness.waiting import UI_TIMEOUT
import shell_steps as steps

CONTENTS = ["Zorv.dll", "first-start.png", "main-window.png", "program-action-tip.png",
            "program-actions-window.png",
            "scaling-192.png", "trail-and-tip.png",
            "user-guide-ru.txt", "user-guide.txt", "vetrix-check.exe", "vetrix.exe"]
GUIDES = ["user-guide-ru.txt", "user-guide.txt"]
# Built by the native preset, which the mingw build does not know of.
NATIVE_CHECK = os.environ.get("VETRIX_NATIVE_CHECK") or os.path.join(
    REPO, "build", "native", "check", "vetrix-check")


class Package(VetrixTest):
    def setUp(self):
        super().setUp()
        package = os.environ["VETRIX_PACKAGE"]
        self.unpacked = os.path.join(self.session.root, "unpacked")
        with zipfile.ZipFile(package) as z:
            self.assertEqual(sorted(z.namelist()), CONTENTS)
            z.extractall(self.unpacked)

    def test_guides_open_right_in_notepad_with_the_same_sections(self):
        """UTF-8 with a byte-order mark and CRLF line ends: Notepad shows the Russian right under
        any code page. The Russian guide and the English one have the same numbered sections."""
        sections = {}
        for guide in GUIDES:
            with open(os.path.join(self.unpacked, guide), "rb") as f:
                data = f.read()
            self.assertTrue(data.startswith(b"\xef\xbb\xbf"), f"{guide}: no byte-order mark")
            self.assertEqual(data.count(b"\n"), data.count(b"\r\n"), f"{guide}: a bare LF")
            lines = data[3:].decode("utf-8").split("\r\n")
            # A section: a numbered title over a line of dashes.
            sections[guide] = [line.split(".")[0] for line, under in zip(lines, lines[1:])
                               if under and set(under) == {"-"} and line[:1].isdigit()]
        self.assertGreaterEqual(len(sections[GUIDES[0]]), 15)
        self.assertEqual(sections[GUIDES[0]], sections[GUIDES[1]])

    def run_checker(self, *args):
        """Runs the zip's vetrix-check.exe in the test folder; returns its exit code and output."""
        s = self.session
        log = os.path.join(s.root, "check.log")
        if os.path.exists(log):
            os.remove(log)
        checker = s.run_wine(os.path.join(self.unpacked, "vetrix-check.exe"), *args,
                             cwd=s.folder, log_path=log)
        try:
            code = checker.wait(timeout=UI_TIMEOUT * 4)
        except subprocess.TimeoutExpired:
            checker.kill()
            raise
        with open(log, encoding="utf-8", errors="replace") as f:
            return code, f.read()

    def test_program_starts_from_the_unpacked_folder_and_exits_cleanly(self):
        s = self.session
        # Started from the unpacked folder, with the test folder (no DLL there) as its current one.
        s.config = copy.copy(s.config)
        s.config.exe = os.path.join(self.unpacked, "vetrix.exe")
        profile.write_ini(s.folder, {"Main": {"Scale": "12"}})
        steps.start_hidden(s)
        s.show_from_tray()
        self.assertEqual(steps.quit_from_tray_menu(s), 0, "exit code")
        self.assertEqual(profile.read_ini(s.folder)["main"]["scale"], "12")

    def test_checker_reports_a_gesture_that_never_fires(self):
        s = self.session
        profile.write_ini(s.folder, {"Main": {"Num": "2", "1": "0", "2": "0 90",
                                              "a0": "a.bat", "a1": "b.bat"}})
        ini = os.path.join(s.folder, "gesture.ini")
        with open(ini, "rb") as f:
            before = f.read()
        code, output = self.run_checker()
        self.assertEqual(code, 1, output)
        self.assertIn("row 1 never fires when drawn exactly: row 0 fires first", output)
        with open(ini, "rb") as f:
            self.assertEqual(f.read(), before, "gesture.ini changed")

    def test_checker_draws_attempts_as_the_native_checker_does(self):
        """The same pictures, pixel for pixel, from WIC under Wine and from libpng natively."""
        s = self.session
        self.assertTrue(os.path.exists(NATIVE_CHECK), f"build the native preset: {NATIVE_CHECK}")
        profile.write_ini(s.folder, {"Main": {"Num": "2", "x2": "50", "y2": "100", "1": "270",
                                              "2": "0 90 180", "a0": "a.bat", "a1": "b.bat"}})
        with open(os.path.join(s.folder, "trace.txt"), "w") as f:
            f.write("# attempt 2026-12-08 14:03:21, continuous, ended with the run\n"
                    "0 500 400\n10 530 400\n20 530 370\n30 510 392\n"
                    "# attempt 2026-12-08 14:03:25, continuous, fired row 0\n"
                    "0 500 400\n10 500 430\n")
        code, output = self.run_checker("--replay", "trace.txt", "--draw", "drawn-wine")
        self.assertEqual(code, 0, output)
        self.assertIn("row 1 followed 2 of 3 strokes; then the pointer went 228°", output)
        native = subprocess.run([NATIVE_CHECK, "--replay", "trace.txt", "--draw", "drawn-native"],
                                cwd=s.folder, capture_output=True, text=True, timeout=60)
        self.assertEqual(native.returncode, 0, native.stderr)
        names = sorted(os.listdir(os.path.join(s.folder, "drawn-native")))
        self.assertEqual(names, ["attempt-1.png", "attempt-2.png", "gesture-0.png",
                                 "gesture-1.png"])
        self.assertEqual(sorted(os.listdir(os.path.join(s.folder, "drawn-wine"))), names)
        for name in names:
            # ImageMagick counts the pixels that differ; the pictures' sizes must agree first.
            compared = subprocess.run(
                ["compare", "-metric", "AE", os.path.join("drawn-wine", name),
                 os.path.join("drawn-native", name), "null:"],
                cwd=s.folder, capture_output=True, text=True, timeout=60)
            self.assertEqual((compared.returncode, compared.stderr.strip()), (0, "0"), name)


if __name__ == "__main__":
    main()

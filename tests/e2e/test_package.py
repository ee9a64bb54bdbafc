"""The zip for Windows users: unpacked into a fresh folder, the program starts from there,
finds its hook library, and closes with exit code 0; the checker beside it explains a file."""

import copy
import os
import subprocess
import zipfile

from harness import profile
from harness.session import VetrixTest, main
from harness.waiting import UI_TIMEOUT
import shell_steps as steps

CONTENTS = ["Zorv.dll", "user-guide.txt", "vetrix-check.exe", "vetrix.exe"]


class Package(VetrixTest):
    def setUp(self):
        super().setUp()
        package = os.environ["VETRIX_PACKAGE"]
        self.unpacked = os.path.join(self.session.root, "unpacked")
        with zipfile.ZipFile(package) as z:
            self.assertEqual(sorted(z.namelist()), CONTENTS)
            z.extractall(self.unpacked)

    def test_program_starts_from_the_unpacked_folder_and_exits_cleanly(self):
        s = self.session
        # Started from the unpacked folder, with the test folder (no DLL there) as its current one.
        s.config = copy.copy(s.config)
        s.config.exe = os.path.join(self.unpacked, "vetrix.exe")
        profile.write_ini(s.folder, {"Main": {"Scale": "12"}})
        steps.start_hidden(s)
        s.show_from_tray()
        steps.open_tray_menu(s)
        # "Выход", chosen with the keyboard while the window is in front.
        s.xdotool("key", "Up", "Return")
        self.assertEqual(steps.wait_exit(s), 0, "exit code")
        self.assertEqual(profile.read_ini(s.folder)["main"]["scale"], "12")

    def test_checker_reports_a_gesture_that_never_fires(self):
        s = self.session
        profile.write_ini(s.folder, {"Main": {"Num": "2", "1": "0", "2": "0 90",
                                              "a0": "a.bat", "a1": "b.bat"}})
        ini = os.path.join(s.folder, "gesture.ini")
        with open(ini, "rb") as f:
            before = f.read()
        log = os.path.join(s.root, "check.log")
        checker = s.run_wine(os.path.join(self.unpacked, "vetrix-check.exe"), cwd=s.folder,
                             log_path=log)
        try:
            code = checker.wait(timeout=UI_TIMEOUT * 4)
        except subprocess.TimeoutExpired:
            checker.kill()
            raise
        with open(log, encoding="utf-8", errors="replace") as f:
            output = f.read()
        self.assertEqual(code, 1, output)
        self.assertIn("row 1 never fires when drawn exactly: row 0 fires first", output)
        with open(ini, "rb") as f:
            self.assertEqual(f.read(), before, "gesture.ini changed")


if __name__ == "__main__":
    main()

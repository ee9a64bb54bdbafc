"""Beside a Zorv.dll with only InstallHook and UnInstallHook, as this library's earlier builds
were, the program starts, and the right button's press and a gesture drawn with it fire the
gesture's action: without the library's pointer record the loops look at the pointer every
10 ms."""

import copy
import os
import shutil

from harness.inspector import START
from harness.session import main
import trigger_steps
from trigger_steps import START_POINT

RIGHT = 3
# What the program looks up by name in the library it ships with (zorv/zorv.def).
OPTIONAL_EXPORTS = (b"HookPointerRecord", b"HookHearMoves", b"HookSetAgain")


class FixedExportsLibrary(trigger_steps.TriggerTest):
    def setUp(self):
        super().setUp()
        variant = os.environ["VETRIX_ZORV_FIXED_EXPORTS"]
        with open(variant, "rb") as f:
            library = f.read()
        for name in OPTIONAL_EXPORTS:
            self.assertNotIn(name, library, "the variant exports more than the fixed two")
        s = self.session
        folder = os.path.join(s.root, "program")
        os.mkdir(folder)
        shutil.copy(s.config.exe, folder)
        shutil.copy(variant, os.path.join(folder, "Zorv.dll"))
        s.config = copy.copy(s.config)
        s.config.exe = os.path.join(folder, os.path.basename(s.config.exe))

    def test_starts_and_a_gesture_with_the_right_button_fires(self):
        self.write_profile(UM=1, MB=RIGHT)
        self.session.start()
        self.wait_hidden(START)
        self.draw(START_POINT, button=RIGHT)
        # Wine, unlike Windows, starts a program whose import is missing, and fails only when
        # it is called: the program must still run once its loop has rested.
        self.session.assert_running()
        self.expect_hits(1)


if __name__ == "__main__":
    main()

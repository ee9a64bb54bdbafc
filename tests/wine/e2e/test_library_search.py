"""A library planted in the program's current folder under the name of one the program loads
late (the open dialog's comdlg32.dll) is not loaded: the dialog opens, the planted one leaves
no mark.

Two settings of this run make the planted library loadable by a plain search, so that only
the program keeps it out: safe DLL search mode off (the current folder is then searched right
after the program's own, before the system folder), and comdlg32 taken from a native file
before Wine's own (Wine otherwise runs its builtin under whatever file the search finds)."""

import os
import shutil
import subprocess

from harness import pointer, profile
from harness.session import VetrixTest, main
from harness.waiting import poll
import capture_steps as cs

LATE_LIBRARY = "comdlg32.dll"
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"


def dialog_open(session):
    return any(w["class"] == "#32770" and w.flag("visible") for w in session.records("windows"))


class LibrarySearch(VetrixTest):
    def reg(self, *args):
        subprocess.run(["wine", "reg", *args, "/f"], env=self.session.env, check=True,
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=60)

    def test_library_planted_in_the_current_folder_is_not_loaded(self):
        s = self.session
        # The prefix is shared: the setting goes again before the session's wineserver ends.
        self.reg("add", SESSION_MANAGER, "/v", "SafeDllSearchMode", "/t", "REG_DWORD", "/d", "0")
        self.addCleanup(self.reg, "delete", SESSION_MANAGER, "/v", "SafeDllSearchMode")
        s.env["WINEDLLOVERRIDES"] += ";comdlg32=n,b"
        shutil.copy(os.environ["VETRIX_PLANTED_LIBRARY"], os.path.join(s.folder, LATE_LIBRARY))
        mark = os.path.join(s.folder, "planted.log")
        profile.write_ini(s.folder, profile.with_gestures([[0]], HK="yes"))
        _, actions = cs.lists(cs.start_shown(s))

        # A double click on an action row opens the open dialog, whose library is loaded then.
        s.xdotool("mousemove", *map(str, pointer.row_point(actions, 0)),
                  "click", "--repeat", "2", "--delay", "80", "1")
        poll("the open dialog, or the planted library's mark",
             lambda: os.path.exists(mark) or dialog_open(s))
        self.assertFalse(os.path.exists(mark), "the planted library was loaded")
        s.xdotool("key", "Escape")
        poll("the dialog to close", lambda: not dialog_open(s))
        self.assertFalse(os.path.exists(mark), "the planted library was loaded")


if __name__ == "__main__":
    main()

"""The first start, with no gesture.ini: the tray icon's balloon says where the program went.
Never again once gesture.ini exists; the balloon itself writes nothing."""

import os
import time

from harness import profile, screen
from harness.inspector import TITLE
from harness.session import VetrixTest, main
from harness.waiting import UI_TIMEOUT, poll
import shell_steps as steps


def balloons(session):
    """Visible tooltip windows over the lower part of the screen: the taskbar's balloons (no
    tooltip of a hovered control, with the pointer kept in the middle)."""
    return [w for w in session.records("windows") if w["class"] == "tooltips_class32"
            and w.flag("visible") and int(w["rect"].split()[1]) > 384]


class FirstStart(VetrixTest):
    def test_the_balloon_shows_on_the_first_start_only(self):
        s = self.session
        s.xdotool("mousemove", "512", "300")
        started = time.monotonic()
        steps.start_hidden(s)
        poll("the tray icon's balloon", lambda: balloons(s), UI_TIMEOUT,
             describe=lambda _: s.visible_windows())
        took = time.monotonic() - started
        self.assertEqual(profile.ini_files(s.folder), [], "the balloon wrote gesture.ini")
        if os.environ.get("VETRIX_SCREENSHOT"):
            screen.screenshot(s, os.environ["VETRIX_SCREENSHOT"])

        # Ending the program writes gesture.ini; the icon goes, and its balloon with it.
        s.inspect("close", TITLE)
        self.assertEqual(steps.wait_exit(s), 0)
        self.assertNotEqual(profile.ini_files(s.folder), [])
        poll("the balloon gone with the icon", lambda: not balloons(s), UI_TIMEOUT,
             describe=lambda _: balloons(s))

        steps.start_hidden(s)
        # Three times as long as the first balloon took to show, and at least 3 s.
        deadline = time.monotonic() + max(3.0, 3 * took)
        while time.monotonic() < deadline:
            self.assertEqual(balloons(s), [], "a balloon at a start with gesture.ini")
            time.sleep(0.2)
        s.assert_running()


if __name__ == "__main__":
    main()

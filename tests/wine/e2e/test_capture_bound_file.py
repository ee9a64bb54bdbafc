"""A batch file bound to a gesture through the window (the action list, the open-file dialog) runs when
that gesture is drawn with the real pointer."""

import os
import re

from harness import pointer, profile
from harness.inspector import START, WAITING
from harness.session import VetrixTest, main, wine_path
from harness.waiting import poll
import capture_steps as cs

STEP = 30  # each step is a counted movement (> 20 px) in its stroke's direction


class BoundFile(VetrixTest):
    def test_file_chosen_in_dialog_runs_when_its_gesture_is_drawn(self):
        session = self.session
        program_folder = cs.run_from_private_copy(session)
        actions = os.path.join(session.root, "actions")
        os.mkdir(actions)
        for name in ("mark", "decoy"):
            with open(os.path.join(actions, name + ".bat"), "w", newline="") as f:
                f.write(f'@echo off\r\necho ran> "%~dp0{name}.txt"\r\n')
        mark = wine_path(os.path.join(actions, "mark.bat"))
        # Gesture 1 ("0 90") gets the file. The decoy "90" matches the second stroke, but the
        # 3-second timer that the first stroke starts keeps it from starting.
        profile.write_ini(session.folder, profile.with_gestures(
            [[90], [0, 90], [180]], HK="yes", a0=wine_path(os.path.join(actions, "decoy.bat"))))
        dump = cs.start_shown(session)
        list1, list2 = cs.lists(dump)

        session.xdotool("mousemove", *map(str, pointer.row_point(list2, 1)),
                        "click", "--repeat", "2", "--delay", "80", "1")
        dialog = session.wait_top_level("#32770")
        session.xdotool("type", "--delay", "5", mark)
        fields = session.dump("hwnd=" + dialog["hwnd"]).find("Edit")
        self.assertIn(mark, [f["text"] for f in fields], "the path typed into the file-name field")
        session.xdotool("key", "Return")
        dump = session.wait_dump("the chosen file in row 1 of the action list",
                                 lambda d: d.rows(list2)[1:2] == [mark])
        self.assertEqual(dump.rows(list2), [wine_path(os.path.join(actions, "decoy.bat")),
                                            mark, ""])
        # Binding moves the current directory to the program's folder and writes there.
        profile.wait_ini_line(program_folder, re.escape(b"A1=" + mark.encode()))

        start = dump.start_button()
        session.click_centre(start)
        session.wait_caption(WAITING)
        # Straight down from the button to the gesture's start: a counted movement (270) that
        # matches no first stroke, so nothing starts and no timer runs before the drawing.
        left, top, width, height = start.rect()
        origin = (left + width // 2, 700)
        session.xdotool("mousemove", *map(str, origin))
        pointer.stroke_steps(session, origin, [(STEP, 0)] * 3 + [(0, -STEP)] * 3)

        decoy_ran = lambda: os.path.exists(os.path.join(actions, "decoy.txt"))
        poll("mark.bat to leave mark.txt", lambda: os.path.exists(
            os.path.join(actions, "mark.txt")), describe=lambda _: f"decoy ran: {decoy_ran()}")
        # Hot-key mode stops recognition after one gesture; the matched row is selected in both.
        dump = session.wait_caption(START, " again")
        self.assertEqual((dump.selected_rows(list1), dump.selected_rows(list2)), ([1], [1]))
        self.assertFalse(decoy_ran(), "the decoy gesture ran")


if __name__ == "__main__":
    main()

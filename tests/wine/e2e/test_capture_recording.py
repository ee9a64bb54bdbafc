"""Recording with the real pointer: free recording follows the pointer from the screen centre,
exact recording commits the stroke previewed in the drawing area at each left click. Esc
finishes either and appends the gesture to gesture.ini and to the lists."""

import time

from harness import pointer, profile
from harness.display import SCREEN
from harness.inspector import TITLE
from harness.session import VetrixTest, main
from harness.waiting import poll
import capture_steps as cs
from capture_steps import EXACT, RECORD, RECORDING

CENTRE = (SCREEN[0] // 2, SCREEN[1] // 2)


class Recording(VetrixTest):
    def wait_recording(self):
        self.session.wait_dump(f'the record button to read "{RECORDING}"', lambda d: d.find("Button", RECORDING))

    def assert_finished(self, key, angles, old_lines):
        """Esc wrote key=angles and Num=key, kept the older lines, and the lists show the new
        gesture as row key-1, selected, with an empty action."""
        session = self.session
        profile.wait_ini_line(session.folder, rb"%d=.*" % key)
        lines = profile.ini_lines(session.folder)
        # Wine drops the blank that ends the list as the program hands it over ("0 90 ").
        self.assertIn(b"%d=%s" % (key, angles), lines, "the new gesture's angle list")
        self.assertIn(b"Num=%d" % key, lines)
        for line in old_lines:
            self.assertIn(line, lines, "an older line of gesture.ini")
        dump = session.wait_dump(f'the record button to read "{RECORD}" again',
                                 lambda d: d.find("Button", RECORD))
        list1, list2 = cs.lists(dump)
        self.assertEqual(dump.rows(list1), [str(i) for i in range(key)])
        self.assertEqual(dump.rows(list2), [""] * key)
        self.assertEqual(dump.selected_rows(list1), [key - 1])


class FreeRecording(Recording):
    def test_right_then_up_records_the_turn_from_the_first_commit(self):
        session = self.session
        profile.write_ini(session.folder, profile.with_gestures([[180], [270]], HK="yes"))
        cs.start_shown(session)
        # Clicked by message, not by the pointer: after a real click Wine's GetCursorPos may
        # report the click's position again for up to 100 ms after the program's warp to the
        # centre, and the recording then starts with two strokes to the button and back.
        session.xdotool("mousemove", "700", "650")
        session.inspect("click", TITLE, RECORD)
        self.wait_recording()
        poll("the pointer put at the screen centre", lambda: pointer.position(session) == CENTRE,
             describe=lambda _: repr(pointer.position(session)))
        # 25 px steps: the first one commits 0 and anchors there, 75 px short of the corner.
        # Going up from the corner the direction from that anchor turns through 30 (25 px up)
        # before it commits 90; later steps in a committed direction add nothing.
        corner = pointer.stroke_steps(session, CENTRE, [(25, 0)] * 4)
        pointer.stroke_steps(session, corner, [(0, -25)] * 4)
        session.xdotool("key", "Escape")
        self.assert_finished(3, b"0 30 90", [b"1=180", b"2=270"])


class FreeRecordingByMouse(Recording):
    RECORDINGS = 20

    def test_each_recording_started_by_a_click_stores_the_stroke_drawn(self):
        """Pressed with the mouse, "Запись" lies away from the centre that the recording warps
        the pointer to; Wine now and then reports the button's place once more after the centre
        has shown, which must not become strokes to the button and back."""
        session = self.session
        profile.write_ini(session.folder, profile.with_gestures(HK="yes"))
        dump = cs.start_shown(session)
        record = cs.button(dump, RECORD)
        for key in range(1, self.RECORDINGS + 1):
            session.click_centre(record)
            self.wait_recording()
            poll("the pointer put at the screen centre",
                 lambda: pointer.position(session) == CENTRE,
                 describe=lambda _: repr(pointer.position(session)))
            pointer.move_seen(session, CENTRE[0] + 60, CENTRE[1])
            time.sleep(0.05)
            session.xdotool("key", "Escape")
            # "Num" is written after the angle list, which Wine may show with its final blank
            # until then.
            profile.wait_ini_line(session.folder, rb"Num=%d" % key)
            stored = [line for line in profile.ini_lines(session.folder)
                      if line.startswith(b"%d=" % key)]
            self.assertEqual(stored, [b"%d=0" % key], f"recording {key}")
            session.wait_dump(f'the record button to read "{RECORD}" again',
                              lambda d: d.find("Button", RECORD))
        self.assertIn(b"Num=%d" % self.RECORDINGS, profile.ini_lines(session.folder))


class ExactRecording(Recording):
    def test_clicks_commit_the_previewed_strokes_and_nothing_else(self):
        session = self.session
        profile.write_ini(session.folder, profile.with_gestures([[180]], HK="yes", x2=100, y2=140))
        dump = cs.start_shown(session)
        session.click_centre(cs.button(dump, EXACT))
        profile.wait_ini_line(session.folder, rb"AR=yes")
        session.click_centre(cs.button(dump, RECORD))
        self.wait_recording()
        # Drawing-area points, each pointed at from the end of the strokes so far. From the
        # start point (100, 140): right (0); further right, the same direction as the stroke
        # just committed, so the click adds nothing; from (115, 140) up and to the left (120);
        # from about (108, 127) straight down (270).
        for x, y in [(160, 140), (170, 140), (75, 70), (108, 230)]:
            pointer.move_seen(session, *cs.drawing_to_screen(dump, x, y))
            session.xdotool("click", "1")
        session.xdotool("key", "Escape")
        # The preview of a further 270 stroke, on screen at Esc, is not part of the gesture.
        self.assert_finished(2, b"0 120 270", [b"1=180", b"AR=yes"])


if __name__ == "__main__":
    main()

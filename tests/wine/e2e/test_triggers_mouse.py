"""Mouse-button mode with the right button: recognition runs while the button is held, the
button's plain clicks still reach the window under the pointer, a drawn gesture leaves nothing
there, and unticking "Использовать кнопки мыши" makes the button an ordinary one again. By
default only the right button is held back, and only while recognition answers to it."""

import os

from harness import profile
from harness.inspector import START, WAITING
from harness.pointer import centre
from harness.session import main
import shell_steps
import trigger_steps
from trigger_steps import CLICK_POINT, END_POINT, START_POINT, TARGET_RECT

USE_MOUSE = "Использовать кнопки мыши"
LEFT, RIGHT = 1, 3
BARRIER_POINT = (100, 500)


def click_events(point):
    return [("WM_RBUTTONDOWN", *point), ("WM_RBUTTONUP", *point), ("WM_CONTEXTMENU", *point)]


class MouseButton(trigger_steps.TriggerTest):
    def setUp(self):
        super().setUp()
        self.write_profile(UM=1, MB=RIGHT)
        self.session.start()
        # With a button chosen, the first activation leaves recognition to the button's press.
        self.wait_hidden(START)
        self.target = self.start_tool("window", *TARGET_RECT, wait_for="ready")

    def barrier(self):
        """A right click that the program shows it has handled (the caption flips to
        "Ожидание" and back), so everything before it has been dealt with; the target gets it
        as a click."""
        seen = len(self.target.events())
        self.press(BARRIER_POINT, RIGHT)
        self.session.wait_caption(WAITING, " while the right button is down")
        self.session.xdotool("mouseup", str(RIGHT))
        self.session.wait_caption(START, " after the right button's release")
        self.target.wait("the barrier's click at the target",
                         lambda _: len(self.target.events()) >= seen + 3)

    def test_gesture_with_the_button_fires_and_clicks_stay_clicks(self):
        self.click(CLICK_POINT, RIGHT)
        self.target.wait("the context menu", lambda line: line.startswith("WM_CONTEXTMENU"))
        self.assertEqual(self.target.events(), click_events(CLICK_POINT),
                         "a right click without movement reaches the window under the pointer")
        # Its release ended the run its press began.
        self.session.wait_caption(START, " after the right click")

        self.draw(START_POINT)  # no button, no run
        self.draw(START_POINT, button=RIGHT)
        self.barrier()
        self.expect_hits(1)
        self.assertEqual(self.target.events()[3:], click_events(BARRIER_POINT),
                         "the gesture's press and release never reach the target")

    def test_unticked_use_mouse_ignores_the_button(self):
        session = self.session
        box = session.show_from_tray().find("Button", USE_MOUSE)[0]
        self.assertEqual(box["checked"], "1", "ticked from UM=1")
        session.click_centre(box)
        session.wait_dump(f'"{USE_MOUSE}" unticked and recognition stopped',
                          lambda d: d.find("Button", USE_MOUSE)[0]["checked"] == "0"
                          and d.start_button()["text"] == START)

        self.draw(START_POINT, button=RIGHT)
        self.target.wait("the context menu", lambda line: line.startswith("WM_CONTEXTMENU"))
        self.assertEqual(self.target.events(),
                         [("WM_RBUTTONDOWN", *START_POINT), ("WM_RBUTTONUP", *END_POINT),
                          ("WM_CONTEXTMENU", *END_POINT)],
                         "no longer the trigger, the button is not held back")
        # Ticking it again is handled after the hook's messages of the gesture.
        session.click_centre(box)
        session.wait_dump(f'"{USE_MOUSE}" ticked again',
                          lambda d: d.find("Button", USE_MOUSE)[0]["checked"] == "1")
        self.expect_hits(0)

        self.draw(START_POINT, button=RIGHT)
        self.barrier()
        self.expect_hits(1)


class TickedWhileMoving(trigger_steps.TriggerTest):
    """Ticking the box hands the button to the hook library, whose hook may be off just then:
    a loop that looks at the pointer itself needs no hook for moves."""

    def test_a_box_ticked_while_the_pointer_moves_hears_the_button(self):
        self.write_profile(UM=0, MB=RIGHT)
        self.session.start()
        self.wait_hidden(WAITING)
        target = self.start_tool("window", *TARGET_RECT, wait_for="ready")
        box = self.session.show_from_tray().find("Button", USE_MOUSE)[0]
        self.assertEqual(box["checked"], "0")
        # At rest over another window the loop waits for the hook's word; the moves into the
        # program's window wake it, and it looks at the pointer itself, the hook off, until the
        # click on the box ends the run.
        self.session.xdotool("mousemove", *map(str, CLICK_POINT))
        self.session.dump()
        # Moving all the way: 10 ms apart, the loop sees each move, and clicked as it arrives.
        (x0, y0), (x1, y1) = CLICK_POINT, centre(box)
        path = []
        for i in range(1, 31):
            path += ["mousemove", str(x0 + (x1 - x0) * i // 30), str(y0 + (y1 - y0) * i // 30),
                     "sleep", "0.01"]
        self.session.xdotool(*path[:-2], "click", "1")
        self.session.wait_dump(f'"{USE_MOUSE}" ticked and recognition stopped',
                               lambda d: d.find("Button", USE_MOUSE)[0]["checked"] == "1"
                               and d.start_button()["text"] == START)
        self.draw(START_POINT, button=RIGHT)
        self.session.wait_caption(START, " after the gesture's release")
        self.expect_hits(1)
        self.assertEqual(target.events(), [], "the gesture's press and release are held back")


class HoldingBack(trigger_steps.TriggerTest):
    """What of a drag over another window reaches it, with recognition running underneath."""

    def start_target(self, caption):
        self.wait_hidden(caption)
        self.target = self.start_tool("window", *TARGET_RECT, wait_for="ready")

    def drag_events(self, button):
        """Draws the gesture holding `button`; returns the target's button messages."""
        self.draw(START_POINT, button=button)
        self.target.wait("the release at the target",
                         lambda line: line.startswith(f"WM_{'LR'[button == RIGHT]}BUTTONUP"))
        return [(name, x, y) for name, x, y in self.target.events() if name != "WM_CONTEXTMENU"]

    def test_the_left_button_triggers_and_still_drags(self):
        self.write_profile(UM=1, MB=LEFT)
        self.session.start()
        # With a button chosen, recognition waits for its press.
        self.start_target(START)
        self.assertEqual(self.drag_events(LEFT),
                         [("WM_LBUTTONDOWN", *START_POINT), ("WM_LBUTTONUP", *END_POINT)],
                         "the target gets the whole drag, as it happened")
        self.assertEqual(self.target.lines("WM_L")[0].split()[3], "0", "not a replayed press")
        # The release, reported too, ended recognition.
        self.session.wait_caption(START, " after the left button's release")

    def test_a_file_that_refuses_the_button_holds_nothing_back(self):
        self.write_profile(UM=1, MB=RIGHT)
        profile.make_unwritable(self, os.path.join(self.session.folder, profile.INI))
        self.session.start()
        # Choosing the button and ticking the box at start-up both fail to be saved.
        for _ in range(2):
            self.assertEqual(shell_steps.dismiss_error(self.session),
                             r"Unable to write to .\Gesture.ini")
        # No button is listened to, so recognition runs without one.
        self.start_target(WAITING)
        dump = self.session.dump()
        self.assertEqual([len(dump.rows(box)) for box in dump.find("ListBox")], [1, 1],
                         "creation went on past the failures and loaded the gesture")
        # No button was selected, so recognition answers to none: the right button is an
        # ordinary one.
        self.assertEqual(self.drag_events(RIGHT),
                         [("WM_RBUTTONDOWN", *START_POINT), ("WM_RBUTTONUP", *END_POINT)])
        self.target.wait("the context menu", lambda line: line.startswith("WM_CONTEXTMENU"))
        self.assertEqual(self.caption(), WAITING, "recognition still runs as it did")


if __name__ == "__main__":
    main()

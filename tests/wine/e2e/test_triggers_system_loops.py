"""The system's own loops on the main window while recognition runs, with the mouse trigger off
and on: a title-bar drag stops at the release, a scroll-thumb drag ends at the release, and an
item of the window menu chosen with the mouse is carried out. Neither the hook library's
messages nor the program's pumps may take that input away from the loop.

Each check ends with a click that the window shows it has handled (a row of the action list
selected): input is handled in order, so what came before it has been dealt with."""

from harness import profile
from harness.display import SCREEN
from harness.inspector import START, WAITING
from harness.pointer import row_point
from harness.session import VetrixTest, main
from harness.waiting import poll, poll_settled
import shell_steps as steps

LEFT, RIGHT = 1, 3
# Enough rows for the lists to scroll; chains that none of the moves below can draw.
GESTURES = [[0, 180, 0, 180, 0]] * 36
# How far each drag goes, and then the pointer after the release.
TITLE_DRAG, AFTER_TITLE_DRAG = (60, 40), (90, 70)
THUMB_DRAG, AFTER_THUMB_DRAG = 40, 90

# Wine's window menu, measured: a 3 px border, then items of 19 px (Restore, Move, Size,
# Minimize, Maximize) before the first separator.
MENU_BORDER, MENU_ITEM = 3, 19
MAXIMIZE = 4


def action_list(dump):
    return max(dump.find("ListBox"), key=lambda c: c.rect()[0])


def moved(point, offset):
    return point[0] + offset[0], point[1] + offset[1]


class SystemLoops(VetrixTest):
    def start(self, **options):
        s = self.session
        profile.write_ini(s.folder, profile.with_gestures(GESTURES, **options))
        s.start()
        # Continuous mode: the first activation starts recognition, which runs from then on;
        # with a trigger button chosen, its press starts each run instead.
        steps.wait_hidden(s)
        s.wait_caption(START if options.get("UM") else WAITING, " after the first activation")
        s.show_from_tray()

    def press(self, point):
        self.session.xdotool("mousemove", *map(str, point), "sleep", "0.1", "mousedown", str(LEFT))

    def go_on_after_release(self, point, offset):
        s = self.session
        s.xdotool("mouseup", str(LEFT))
        s.xdotool("mousemove", *map(str, moved(point, offset)))

    def barrier(self, row):
        """Clicks the action list's visible row `row` and waits until it shows selected."""
        s = self.session
        s.click_at(*row_point(action_list(s.dump()), row))
        seen = {}

        def probe():
            d = seen["dump"] = s.dump()
            box = action_list(d)
            return d if d.selected_rows(box) == [int(box["top"]) + row] else None

        def describe(_):
            d = seen["dump"]
            box = action_list(d)
            return (f"the window at {d.window.rect()}, the list's first row shown {box['top']}, "
                    f"selected {d.selected_rows(box)}")
        return poll(f"the action list's visible row {row} selected after a click", probe,
                    describe=describe)

    def drag_title_bar(self):
        s = self.session
        window = s.dump().window
        left, top, width, _ = window.rect()
        grip = (left + width // 2, steps.close_box_point(window)[1])
        self.press(grip)
        s.xdotool("mousemove", *map(str, moved(grip, TITLE_DRAG)))
        dropped = moved((left, top), TITLE_DRAG)
        s.wait_dump("the window following the title-bar drag",
                    lambda d: d.window.rect()[:2] == dropped)
        self.go_on_after_release(moved(grip, TITLE_DRAG), AFTER_TITLE_DRAG)
        self.assertEqual(self.barrier(1).window.rect()[:2], dropped,
                         "the window stays where the release left it")

    def drag_scroll_thumb(self):
        s = self.session
        box = action_list(s.dump())
        self.assertEqual(box["top"], "0")
        left, top, width, _ = box.rect()
        # The thumb starts right under the scroll bar's upper arrow, at the list's right edge.
        x, y = left + width - 10, top + 30
        self.press((x, y))
        s.xdotool("mousemove", str(x), str(y + THUMB_DRAG))
        s.wait_dump("the list following the thumb", lambda d: int(action_list(d)["top"]) > 0)
        # The release right after a few more moves, while the loop is still busy with them.
        y += THUMB_DRAG
        steps_down = [a for dy in (4, 8, 12) for a in ("mousemove", str(x), str(y + dy))]
        s.xdotool(*steps_down, "mouseup", str(LEFT))
        released = self.settled_top()
        # On down the scroll bar: a thumb still tracked would scroll the list further.
        s.xdotool("mousemove", str(x), str(y + AFTER_THUMB_DRAG))
        self.assertEqual(action_list(self.barrier(2))["top"], released,
                         "the list stays where the release left it")

    def settled_top(self):
        """The action list's first row shown, once two dumps in a row agree on it."""
        return poll_settled("the action list to stop scrolling",
                            lambda: action_list(self.session.dump())["top"])

    def maximize_from_the_window_menu(self):
        s = self.session
        s.click_at(*steps.window_menu_point(s.dump().window))
        left, top, width, _ = s.wait_top_level("#32768").rect()
        s.click_at(left + width // 2, top + MENU_BORDER + MENU_ITEM * MAXIMIZE + MENU_ITEM // 2)
        s.wait_dump("the window maximised by the menu's item",
                    lambda d: d.window.rect()[2] >= SCREEN[0])

    def run_the_loops(self):
        self.drag_title_bar()
        self.drag_scroll_thumb()
        self.maximize_from_the_window_menu()
        self.session.assert_running()

    def test_with_the_mouse_trigger_off(self):
        self.start()
        self.run_the_loops()

    def test_with_the_right_button_as_the_trigger(self):
        self.start(UM=1, MB=RIGHT)
        self.run_the_loops()

    def test_with_the_left_button_as_the_trigger(self):
        # Not held back by default, so the system gets its presses; each one also starts a
        # recognition run that its release ends, inside the system's loop.
        self.start(UM=1, MB=LEFT)
        self.run_the_loops()


if __name__ == "__main__":
    main()

"""Command actions aimed at the foreground window: "/mx" maximises and restores it, key strokes
reach it as a chord, "/cl" closes it, and a window that has stopped answering cannot hang the
program, nor keep gestures from firing."""

import time

from harness.inspector import START, TITLE, WAITING
from harness.session import main, wine_path
from harness.waiting import poll
import trigger_steps
from trigger_steps import STEP

TARGET_RECT = ("600", "100", "300", "200")
START_POINT = (200, 300)  # away from the target: the commands must not depend on the pointer
SIZE_RESTORED, SIZE_MAXIMIZED = "size 0", "size 2"


class WindowCommands(trigger_steps.TriggerTest):
    def start(self, action, **main):
        self.write_profile(action=action, **main)
        self.session.start()
        self.wait_hidden(WAITING)
        target = self.start_tool("window", *TARGET_RECT, wait_for="ready")
        self.assertIn("ready fg=1", target.log(), "the target is the foreground window")
        return target

    def test_max_command_maximises_and_restores_the_foreground_window(self):
        target = self.start("*Max;/mx;")
        for expected in (SIZE_MAXIMIZED, SIZE_RESTORED):
            before = len(target.lines("size "))
            self.draw(START_POINT)
            poll(f'the target to log "{expected}"',
                 lambda: target.lines("size ")[before:], describe=lambda _: target.log())
            self.assertEqual(target.lines("size ")[before:], [expected])

    def test_key_strokes_reach_the_foreground_window_as_a_chord(self):
        # Ctrl and Shift by the names of the keyboard layout under Wine's X11 driver, F5 by the
        # program's own table; the fields' case does not matter.
        target = self.start("*Keys;+Control;+shift;*F5;-SHIFT;-control;")
        self.draw(START_POINT)
        ctrl, shift, f5 = 17, 16, 116
        want = [f"key down {ctrl}", f"key down {shift}", f"key down {f5}", f"key up {f5}",
                f"key up {shift}", f"key up {ctrl}"]
        poll("the six key messages", lambda: len(target.lines("key ")) >= len(want),
             describe=lambda _: target.log())
        self.assertEqual(target.lines("key "), want)

    def test_close_command_ends_the_foreground_window(self):
        # Keys are injected without waiting for them, the close is sent and waited for: a
        # script of both would close the window before its keys arrive, so this one only closes.
        target = self.start("*Close;/cl;")
        self.draw(START_POINT)
        poll("the target to be closed and end", lambda: target.proc.poll() is not None,
             describe=lambda _: target.log())
        self.assertEqual(target.lines("close"), ["close"])

    def test_command_to_a_hung_window_does_not_hang_the_program(self):
        target = self.start("*x;/mn;")
        target.signal("hang")
        target.wait("the target to hang in front", lambda line: line.startswith("hung"))
        self.assertIn("hung fg=1", target.log())

        self.assertFalse(any(i.flag("selected") for i in self.session.dump().items))
        self.draw(START_POINT)
        # Firing selects the gesture's row right before it sends the command.
        self.session.wait_dump("the gesture's row selected after firing",
                               lambda d: any(i.flag("selected") for i in d.items))
        self.session.inspect("click", TITLE, WAITING)
        # The command may wait for the hung window a while, but not for good.
        self.session.wait_caption(START, ", the program answering again", timeout=5)

    def test_gestures_fire_over_and_away_from_a_window_that_hung_at_a_command(self):
        # Row 0 maximises the window in front; row 1, down then right, runs mark.bat. With two
        # gestures any counted movement after the first start runs the 3-second timer, which
        # holds back starts: the pointer waits longer than that at each start point.
        mark = wine_path(self.session.folder + "/mark.bat")
        target = self.start("*Max;/mx;", **{"Num": 2, "2": "270 0", "a1": mark})
        target.signal("hang_on_command")
        self.draw((700, 450))
        target.wait("the target to stop at the command", lambda line: line.startswith("hung"))
        self.session.wait_caption(WAITING, ", the program answering again", timeout=5)
        down_right = ((0, STEP), (STEP, 0))
        # Over the window first, at rest there for longer than the wait's look at the pointer:
        # that look was once all that saw the pointer there.
        for hits, (start, rest) in enumerate((((620, 110), 9), ((100, 150), 4)), 1):
            self.session.xdotool("mousemove", *map(str, start))
            time.sleep(rest)
            self.draw(start, strokes=down_right)
            self.expect_hits(hits)
        self.assertIsNone(target.proc.poll(), "the target still runs")
        self.assertEqual(target.lines("hung"), [f"hung on command {0xF030:x}"])
        self.assertNotIn(SIZE_MAXIMIZED, target.lines("size"), "the target never took the command")


if __name__ == "__main__":
    main()

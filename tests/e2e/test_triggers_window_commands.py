"""Command actions aimed at the foreground window: "/mx" maximises and restores it, key strokes
reach it as a chord, "/cl" closes it, and a window that has stopped answering cannot hang the
program."""

from harness.inspector import START, TITLE, WAITING
from harness.session import main
from harness.waiting import poll
import trigger_steps

TARGET_RECT = ("600", "100", "300", "200")
START_POINT = (200, 300)  # away from the target: the commands must not depend on the pointer
SIZE_RESTORED, SIZE_MAXIMIZED = "size 0", "size 2"


class WindowCommands(trigger_steps.TriggerTest):
    def start(self, action):
        self.write_profile(action=action)
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


if __name__ == "__main__":
    main()

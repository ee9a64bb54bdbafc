"""Zorv.dll's thread: input never waits for a busy main window, UnInstallHook ends the hook
promptly (twice over, mid-hold too) and the process exits cleanly."""

import hook_steps
from hook_steps import AWAY, PRESS, RIGHT, trigger

# UnInstallHook's own bound on the thread is 1000 ms: a stop that only ends by it is a fault.
PROMPT_MS = 500


class Lifecycle(hook_steps.ZorvTest):
    def setUp(self):
        super().setUp()
        self.start_target()

    def test_uninstall_is_prompt_and_leaves_the_mouse_alone(self):
        host = self.start_host("--trigger", hex(trigger(RIGHT)), "--linger")
        self.click(RIGHT)
        self.wait_target("WM_CONTEXTMENU")
        host.signal("stop")
        host.wait("UnInstallHook, twice", lambda log: any("uninstall2_ms" in line for line in log))
        self.assertLess(host.timing("uninstall_ms"), PROMPT_MS)
        self.assertLess(host.timing("uninstall2_ms"), PROMPT_MS)

        # The window still pumps its messages, but the hook is gone: nothing held, nothing
        # posted.
        self.drag(RIGHT, AWAY, PRESS)
        events = self.wait_target("WM_CONTEXTMENU", 2)[3:]
        self.assertEqual([(e.name, e.tagged) for e in events],
                         [("WM_RBUTTONDOWN", False), ("WM_RBUTTONUP", False),
                          ("WM_CONTEXTMENU", False)])
        host.signal("exit")
        log = host.stop(self)
        self.assertEqual([line for line in log if line.startswith(("hook", "late"))],
                         ["hook 516", "hook 517"])

    def test_closing_mid_hold_lets_only_the_release_through(self):
        host = self.start_host("--trigger", hex(trigger(RIGHT)))
        self.press(RIGHT)
        host.wait_hooks(1)
        host.stop(self)
        self.assertLess(host.timing("uninstall_ms"), PROMPT_MS)
        # No press replayed: the target must not start a drag from the gesture's start.
        self.release(RIGHT, AWAY)
        events = self.wait_target("WM_RBUTTONUP")
        self.assertNotIn("WM_RBUTTONDOWN", self.target_names(events))
        self.assertEqual((events[0].x, events[0].y, events[0].tagged), (*AWAY, False))

    def test_a_busy_main_window_holds_up_no_input(self):
        host = self.start_host("--trigger", hex(trigger(RIGHT)), "--block-on-down")
        self.drag(RIGHT)
        # Swallowed while the window's thread is stuck in the handler of the press: the hook
        # neither runs on that thread nor waits for it.
        self.assertEqual(self.marker(), [])
        self.assertEqual(host.log()[-2:], ["hook 516", "blocked"])
        host.signal("unblock")
        host.stop(self)
        self.assertEqual(host.hooks(), [516, 517], "the marker's button is not the trigger's")


if __name__ == "__main__":
    hook_steps.main()

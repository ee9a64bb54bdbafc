"""Zorv.dll posts HookMouseMessage for every press and release of the three buttons, to its
own process's main window only, and otherwise leaves the mouse alone."""

import os

import hook_steps
from hook_steps import AWAY, LEFT, MIDDLE, PRESS, RIGHT, trigger


class Posting(hook_steps.ZorvTest):
    def test_every_press_and_release_is_posted_and_passes_untouched(self):
        self.start_target()
        host = self.start_host("--trigger", "0")
        self.click(LEFT)
        # Wheel, X buttons and a move in between: none of them is posted.
        self.xdotool("click", "4", "click", "5", "click", "8", "click", "9",
                     "mousemove", *map(str, AWAY))
        self.click(MIDDLE, AWAY)
        self.click(RIGHT)
        events = self.wait_target("WM_CONTEXTMENU")
        self.assertEqual(host.wait_hooks(6), [513, 514, 519, 520, 516, 517])
        self.assertEqual(self.target_names(events),
                         ["WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_MBUTTONDOWN", "WM_MBUTTONUP",
                          "WM_RBUTTONDOWN", "WM_RBUTTONUP", "WM_CONTEXTMENU"])
        self.assertFalse([e for e in events if e.tagged], "nothing was replayed")
        host.stop(self)

    def test_a_window_of_another_process_or_class_gets_nothing(self):
        self.start_target()
        # The program's class in another process, with hold-back asked for, but no hook of its
        # own; and a hooking process whose only window has another class.
        bystander = self.start_host("--no-install", "--trigger", hex(trigger(RIGHT)),
                                    folder=os.path.join(self.folder, "bystander"))
        stray = self.start_host("--class", "ZorvOtherClass", "--trigger", hex(trigger(RIGHT)),
                                folder=os.path.join(self.folder, "stray"))
        self.drag(RIGHT)
        events = self.marker()
        self.assertEqual(self.target_names(events),
                         ["WM_RBUTTONDOWN", "WM_RBUTTONUP", "WM_CONTEXTMENU"])
        self.assertEqual((events[0].x, events[0].y), PRESS)
        self.assertEqual(bystander.hooks(), [])
        self.assertEqual(stray.hooks(), [])
        # UnInstallHook after an InstallHook that found nothing, and with none at all.
        stray.stop(self)
        bystander.stop(self)


if __name__ == "__main__":
    hook_steps.main()

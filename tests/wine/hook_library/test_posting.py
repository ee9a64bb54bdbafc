"""Zorv.dll posts HookMouseMessage for each press and release of the button the program
listens to (the trigger's, while the trigger is on), to its own process's main window only,
and otherwise leaves the mouse alone."""

import os

import hook_steps
from hook_steps import AWAY, DOWN_UP, LEFT, MIDDLE, PRESS, RIGHT, trigger

ALL_CLICKED = ["WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_MBUTTONDOWN", "WM_MBUTTONUP",
               "WM_RBUTTONDOWN", "WM_RBUTTONUP", "WM_CONTEXTMENU"]


class Posting(hook_steps.ZorvTest):
    def click_each_button(self):
        """A click of each button, with the wheel, the X buttons and a move in between; returns
        what the target got, once the right click's context menu has come."""
        seen = len(self.target_events())
        menus = self.target_names().count("WM_CONTEXTMENU")
        self.click(LEFT)
        self.xdotool("click", "4", "click", "5", "click", "8", "click", "9",
                     "mousemove", *map(str, AWAY))
        self.click(MIDDLE, AWAY)
        self.click(RIGHT)
        return self.wait_target("WM_CONTEXTMENU", menus + 1)[seen:]

    def test_only_the_chosen_button_is_posted_while_the_trigger_is_on(self):
        self.start_target()
        host = self.start_host("--trigger", "0")
        posted = []
        # Not held back, so every click passes untouched whatever is posted.
        for word, expected in ((0, []), (trigger(RIGHT, on=False, hold_back=False), []),
                               (trigger(LEFT, hold_back=False), DOWN_UP[LEFT]),
                               (trigger(MIDDLE, hold_back=False), DOWN_UP[MIDDLE]),
                               (trigger(RIGHT, hold_back=False), DOWN_UP[RIGHT])):
            with self.subTest(trigger=hex(word)):
                host.set_trigger(word)
                events = self.click_each_button()
                self.assertEqual(self.target_names(events), ALL_CLICKED)
                self.assertFalse([e for e in events if e.tagged], "nothing was replayed")
                posted += expected
                # The right click was the last; what it would post has come by the time its
                # context menu has.
                self.assertEqual(host.wait_hooks(len(posted)), posted)
        host.stop(self)
        # Whatever came late has been handled before the host's stop.
        self.assertEqual(host.hooks(), posted)

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

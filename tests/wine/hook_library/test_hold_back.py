"""The trigger button's own clicks under hold-back: a click reaches the window under the
pointer as a click (replayed, tagged, and not posted twice), a gesture leaves no trace there,
only the chosen button, with the trigger on and hold-back enabled, is ever held, and the
system's drag rectangle tells a click from a gesture."""

import hook_steps
from hook_steps import AWAY, DOWN_UP, LEFT, MIDDLE, PRESS, RIGHT, down, trigger, up


def names(events):
    return [e.name for e in events]


class HoldBack(hook_steps.ZorvTest):
    def setUp(self):
        super().setUp()
        self.start_target()
        self.host = self.start_host("--trigger", hex(trigger(RIGHT)))

    def test_each_buttons_click_is_replayed_and_its_gesture_swallowed(self):
        posted = []
        for button in (LEFT, MIDDLE, RIGHT):
            with self.subTest(button=button):
                self.host.set_trigger(trigger(button))
                seen = self.target_events()
                self.click(button)
                self.wait_target(up(button), names(seen).count(up(button)) + 1)
                clicked = self.target_events()[len(seen):][:2]
                self.assertEqual(names(clicked), [down(button), up(button)])
                self.assertTrue(all(e.tagged for e in clicked), f"replayed: {clicked}")
                self.assertEqual([(e.x, e.y) for e in clicked], [PRESS, PRESS])

                seen = len(self.target_events())
                self.drag(button)
                marker = LEFT if button == MIDDLE else MIDDLE
                self.assertEqual(self.marker(marker)[seen:], [], "nothing of the gesture")
                # Click and gesture: each press and release posted once; the marker's button
                # is not the trigger's.
                posted += DOWN_UP[button] * 2
                self.assertEqual(self.host.wait_hooks(len(posted)), posted)

    def test_gesture_that_comes_back_to_its_start_is_swallowed(self):
        self.press(RIGHT)
        # The marker also makes sure the hook has seen the pointer far away.
        self.assertEqual(self.marker(MIDDLE, AWAY), [])
        self.release(RIGHT, PRESS)
        self.assertEqual(self.marker(MIDDLE, PRESS)[2:], [])
        self.assertEqual(self.host.wait_hooks(2), [516, 517])

    def test_double_click_stays_a_double_click(self):
        self.click(RIGHT, repeat=2)
        events = self.wait_target("WM_CONTEXTMENU", 2)
        self.assertEqual(names(events), ["WM_RBUTTONDOWN", "WM_RBUTTONUP", "WM_CONTEXTMENU",
                                         "WM_RBUTTONDBLCLK", "WM_RBUTTONUP", "WM_CONTEXTMENU"])
        self.assertEqual(self.host.wait_hooks(4), [516, 517, 516, 517])

    def test_nothing_is_held_unless_the_button_is_chosen_on_and_held_back(self):
        # Each word, and what of the right button's press and release it has posted.
        cases = {"trigger off": (trigger(RIGHT, on=False), []),
                 "hold-back off": (trigger(RIGHT, hold_back=False), DOWN_UP[RIGHT]),
                 "left chosen": (trigger(LEFT), []),
                 "no button chosen": (trigger(0), [])}
        posted = []
        for count, (case, (word, expected)) in enumerate(cases.items(), 1):
            with self.subTest(case):
                self.host.set_trigger(word)
                seen = len(self.target_events())
                # Each from its own point: two presses at one would make a double click.
                start, end = (PRESS[0], PRESS[1] + 20 * count), (AWAY[0], AWAY[1] + 20 * count)
                self.drag(RIGHT, start, end)
                events = self.wait_target("WM_CONTEXTMENU", count)[seen:]
                self.assertEqual(names(events),
                                 ["WM_RBUTTONDOWN", "WM_RBUTTONUP", "WM_CONTEXTMENU"])
                self.assertEqual([(e.x, e.y, e.tagged) for e in events[:2]],
                                 [(*start, False), (*end, False)])
                posted += expected
                self.assertEqual(self.host.wait_hooks(len(posted)), posted)
        self.host.stop(self)
        self.assertEqual(self.host.hooks(), posted, "nothing more came late")

    def test_other_buttons_pass_while_a_press_is_held(self):
        self.press(RIGHT)
        self.host.wait_hooks(1)
        self.click(LEFT)
        self.wait_target("WM_LBUTTONUP")
        self.release(RIGHT)
        events = self.wait_target("WM_CONTEXTMENU")
        self.assertEqual([(e.name, e.tagged) for e in events[:4]],
                         [("WM_LBUTTONDOWN", False), ("WM_LBUTTONUP", False),
                          ("WM_RBUTTONDOWN", True), ("WM_RBUTTONUP", True)])
        self.host.stop(self)
        self.assertEqual(self.host.hooks(), [516, 517], "the left button is not the trigger's")

    def test_a_hold_ends_by_its_own_rule_whatever_the_trigger_became(self):
        # Switched off during the hold: still a click, so it is replayed; its release is not
        # posted.
        self.press(RIGHT)
        self.host.wait_hooks(1)
        self.host.set_trigger(0)
        self.release(RIGHT)
        events = self.wait_target("WM_CONTEXTMENU")
        self.assertEqual([(e.name, e.tagged) for e in events[:2]],
                         [("WM_RBUTTONDOWN", True), ("WM_RBUTTONUP", True)])

        # The left button chosen during the hold: a left click passes (one hold at a time)
        # and the right gesture is still swallowed.
        self.host.set_trigger(trigger(RIGHT))
        self.press(RIGHT)
        self.host.wait_hooks(2)
        self.host.set_trigger(trigger(LEFT))
        seen = len(self.target_events())
        self.click(LEFT)
        self.release(RIGHT, AWAY)
        events = self.marker()[seen:]
        self.assertEqual([(e.name, e.tagged) for e in events],
                         [("WM_LBUTTONDOWN", False), ("WM_LBUTTONUP", False)])
        self.host.stop(self)
        self.assertEqual(self.host.hooks(), [516, 516, 513, 514])

    def test_a_release_without_a_held_press_passes(self):
        # Pressed before hold-back was asked for.
        self.host.set_trigger(trigger(RIGHT, hold_back=False))
        self.press(RIGHT)
        self.host.wait_hooks(1)
        self.host.set_trigger(trigger(RIGHT))
        self.release(RIGHT)
        events = self.wait_target("WM_CONTEXTMENU")
        self.assertEqual([(e.name, e.tagged) for e in events[:2]],
                         [("WM_RBUTTONDOWN", False), ("WM_RBUTTONUP", False)])


class DragRectangle(hook_steps.ZorvTest):
    """A drag rectangle of 40 x 8 pixels: 40 either side across, 8 either side up and down."""

    def setUp(self):
        super().setUp()
        self.start_target()
        self.host = self.start_host("--trigger", hex(trigger(RIGHT)), "--drag", "40", "8")
        self.assertIn("drag 40 8", self.host.log(), "the system took the rectangle")

    def test_the_systems_drag_rectangle_tells_a_click_from_a_gesture(self):
        across = (PRESS[0] + 30, PRESS[1])
        self.drag(RIGHT, PRESS, across)
        events = self.wait_target("WM_CONTEXTMENU")
        self.assertEqual([(e.name, e.x, e.y, e.tagged) for e in events[:2]],
                         [(down(RIGHT), *across, True), (up(RIGHT), *across, True)],
                         "30 px across is still a click, replayed where it ended")

        seen = len(self.target_events())
        self.drag(RIGHT, PRESS, (PRESS[0], PRESS[1] + 30))
        self.assertEqual(self.marker()[seen:], [], "30 px down is a gesture")
        self.host.stop(self)
        self.assertEqual(self.host.hooks(), DOWN_UP[RIGHT] * 2)


if __name__ == "__main__":
    hook_steps.main()

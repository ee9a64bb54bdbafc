"""Staying out of games, with the right button as trigger: while a program listed in [Exclude]
or, with "PauseFullscreen=yes", a window over the whole desktop is in front, a drawn gesture
fires nothing and the button reaches that program untouched; once another window is in front,
the same gesture fires again, without a restart."""

from harness.inspector import START, TITLE
from harness.session import main
from harness.waiting import poll
import trigger_steps
from trigger_steps import CLICK_POINT, END_POINT, START_POINT, TARGET_RECT

RIGHT = 3
TOOL = "trigger_window.exe"
# The word the program leaves on its main window for the hook library (zorv.h): the right
# button listened to and held back, or nothing listened to or held back while paused.
TRIGGER_PROPERTY = "VetrixMouseTrigger"
LISTENING, PAUSED = 0x303, 0x3


class Paused(trigger_steps.TriggerTest):
    def start_program(self, **settings):
        self.write_profile(UM=1, MB=RIGHT, **settings)
        self.session.start()
        # With a button chosen, the first activation leaves recognition to the button's press.
        self.wait_hidden(START)

    def wait_trigger(self, word, what):
        def probe():
            self.session.assert_running()
            return int(self.session.records("prop", TITLE, TRIGGER_PROPERTY)[0]["value"]) == word
        poll(f"the hook library's word {word:#x} {what}", probe)

    def assert_left_alone(self, target):
        """The program in front gets the button as it is, clicks and drags alike, and the
        program's window never hears of it."""
        self.click(CLICK_POINT, RIGHT)
        self.draw(START_POINT, button=RIGHT)
        target.wait("both context menus", lambda _: len(target.lines("WM_CONTEXTMENU")) == 2)
        self.assertEqual(
            [e for e in target.events() if e[0] != "WM_CONTEXTMENU"],
            [("WM_RBUTTONDOWN", *CLICK_POINT), ("WM_RBUTTONUP", *CLICK_POINT),
             ("WM_RBUTTONDOWN", *START_POINT), ("WM_RBUTTONUP", *END_POINT)])
        self.assertEqual({line.split()[3] for line in target.lines("WM_R")}, {"0"},
                         "nothing held back and replayed")
        self.assertEqual(self.caption(), START, "no run started")

    def draw_and_count(self, hits):
        """The gesture drawn with the button: a run starts and ends with it, and `hits` is the
        count of firings in all since the start."""
        self.draw(START_POINT, button=RIGHT)
        self.session.wait_caption(START, " after the gesture's release")
        self.expect_hits(hits)

    def test_an_excluded_program_in_front_gets_the_button_and_nothing_fires(self):
        self.start_program(sections={"Exclude": {"1": TOOL.upper()}})
        self.wait_trigger(LISTENING, "before the program comes")
        target = self.start_tool("window", *TARGET_RECT, wait_for="ready")
        self.wait_trigger(PAUSED, f"with {TOOL} in front")
        self.assert_left_alone(target)

        # The program's own window in front: recognition goes on.
        self.session.show_from_tray()
        self.wait_trigger(LISTENING, "with the program's own window in front")
        self.draw_and_count(1)

    def test_a_full_screen_window_pauses_only_with_the_option(self):
        self.start_program(PauseFullscreen="yes")
        target = self.start_tool("window", *TARGET_RECT, wait_for="ready")
        self.wait_trigger(LISTENING, f"with a window of {TOOL} in front that is not full-screen")
        self.draw_and_count(1)
        self.session.inspect("close", "trigger window")
        target.proc.wait(timeout=10)

        target = self.start_tool("window", "full", wait_for="ready", folder="full")
        self.wait_trigger(PAUSED, "with a full-screen window in front")
        self.assert_left_alone(target)
        self.session.inspect("close", "trigger window")
        self.wait_trigger(LISTENING, "once the full-screen window has gone")
        self.draw_and_count(2)


if __name__ == "__main__":
    main()

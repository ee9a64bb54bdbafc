"""Hot-key mode: Ctrl+Alt+F5 toggles recognition from anywhere, one fired gesture stops it, and
a combination that another program holds is refused with the program's error box."""

from harness import screen
from harness.inspector import START, WAITING
from harness.session import main
from harness.waiting import poll
import trigger_steps
from trigger_steps import ERROR_CAPTION, WRONG_KEY

START_POINT = (300, 300)


class HotKey(trigger_steps.TriggerTest):
    def setUp(self):
        super().setUp()
        self.write_profile(HK="yes", Hotkey="Ctrl+Alt+F5")

    def toggle(self, caption, what):
        self.hot_key()
        self.session.wait_caption(caption, f" after {what}")

    def test_hot_key_toggles_and_one_gesture_stops_recognition(self):
        self.session.start()
        self.wait_hidden(START)
        stopped = self.wait_icon()

        self.toggle(WAITING, "the hot key")
        running = screen.wait_tray(self.session, "the running picture",
                                   lambda p: p != stopped and p)
        self.toggle(START, "the hot key again")
        screen.wait_tray(self.session, "the stopped picture again", lambda p: p == stopped)

        self.draw(START_POINT)
        self.toggle(WAITING, "the hot key, a gesture later")
        self.expect_hits(0)  # drawn while stopped
        self.assertEqual(screen.tray_picture(self.session), running)

        self.draw(START_POINT)
        self.session.wait_caption(START, ": one gesture stops recognition")
        self.expect_hits(1)
        screen.wait_tray(self.session, "the stopped picture after the gesture",
                         lambda p: p == stopped)

        # Stopped for real, not only in the caption.
        self.draw(START_POINT)
        self.toggle(WAITING, "the hot key after the one-shot stop")
        self.expect_hits(1)

    def test_hot_key_held_by_another_program_is_refused(self):
        holder = self.start_tool("hotkey", wait_for="hotkey ")
        self.assertIn("hotkey taken", holder.log())
        session = self.session
        session.start()
        # Start-up already tries to register it.
        self.expect_error_box("at start-up")
        self.wait_hidden(START)
        stopped = self.wait_icon()

        session.click_centre(session.show_from_tray().start_button())
        self.expect_error_box("after a click of the start button")
        self.assertEqual(self.caption(), START, "recognition stays stopped")
        self.assertEqual(screen.tray_picture(self.session), stopped)

        # Once free, the same combination works.
        holder.signal("release")
        holder.wait("the holder to let go", lambda line: line == "hotkey released")
        session.click_centre(session.dump().start_button())
        self.session.wait_caption(WAITING, " once the key is free")
        self.toggle(START, "the hot key, now ours")

    def expect_error_box(self, when):
        box = self.session.wait_dump(f'the box "{ERROR_CAPTION}" {when}',
                                     lambda d: d.window.flag("visible"), title=ERROR_CAPTION)
        self.assertIn(WRONG_KEY, [c["text"] for c in box.children], when)
        self.assertEqual(self.caption(), START, f"while the box is open {when}")
        self.session.inspect("click", ERROR_CAPTION, "OK")
        poll(f"the box to close {when}",
             lambda: not any(w.flag("visible") for w in self.session.windows(ERROR_CAPTION)))


if __name__ == "__main__":
    main()

"""Real pointer clicks on the start button toggle recognition, and the Russian captions
read right whatever the system's ANSI code page is."""

from harness.inspector import START, TITLE, WAITING
from harness.session import VetrixTest, main


class Toggle(VetrixTest):
    def click_and_expect(self, button, caption):
        self.session.click_centre(button)
        dump = self.session.wait_caption(caption)
        return dump.start_button()

    def toggle(self, expected_acp):
        session = self.session
        self.assertEqual(session.acp(), expected_acp, "Wine's ANSI code page for this locale")
        session.start()
        session.wait_activated()
        button = session.show_from_tray().start_button()
        self.assertEqual(button["text"], WAITING, "recognition runs after start-up")
        stopped = self.click_and_expect(button, START)
        self.assertEqual(stopped.rect(), button.rect(), "the button stays in place")
        self.click_and_expect(button, WAITING)
        # The inspector's Russian argument must survive this code page too.
        session.inspect("click", TITLE, WAITING)
        session.wait_caption(START, " after a click by caption")
        session.assert_running()


class StartButton(Toggle):
    def test_clicks_toggle_caption_under_1252(self):
        self.toggle(1252)


class StartButtonRussianLocale(Toggle):
    locale = "ru_RU.UTF-8"

    def test_clicks_toggle_caption_under_1251(self):
        self.toggle(1251)


if __name__ == "__main__":
    main()

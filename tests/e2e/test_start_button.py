"""Real pointer clicks on the Start button toggle the recognition loop, and the
Russian captions read right whatever the system's ANSI code page is."""

import harness

START, WAITING = "Старт", "Ожидание"


class Toggle(harness.VetrixTest):
    def click_and_expect(self, button, caption):
        self.session.click_centre(button)
        dump = self.session.wait_dump(
            f'the button to read "{caption}"',
            lambda d: any(c["hwnd"] == button["hwnd"] and c["text"] == caption
                          for c in d.find("Button")))
        return next(c for c in dump.find("Button") if c["hwnd"] == button["hwnd"])

    def toggle_twice(self, expected_acp):
        self.assertEqual(self.session.acp(), expected_acp, "Wine's ANSI code page for this locale")
        self.session.start()
        dump = self.session.wait_dump(f'a "{START}" button', lambda d: d.find("Button", START))
        (button,) = dump.find("Button", START)
        waiting = self.click_and_expect(button, WAITING)
        self.assertEqual(waiting.rect(), button.rect(), "the button stays in place")
        self.click_and_expect(button, START)
        # The inspector's Russian argument must survive this code page too.
        self.session.inspect("click", harness.TITLE, START)
        self.session.wait_dump(f'"{WAITING}" after a click by caption',
                               lambda d: d.find("Button", WAITING))
        self.session.assert_running()


class StartButton(Toggle):
    def test_clicks_toggle_caption_under_1252(self):
        self.toggle_twice(1252)


class StartButtonRussianLocale(Toggle):
    locale = "ru_RU.UTF-8"

    def test_clicks_toggle_caption_under_1251(self):
        self.toggle_twice(1251)


if __name__ == "__main__":
    harness.main()

"""The main window: exact title, size, place, layout, and what its first
activation does."""

from harness import screen
from harness.display import SCREEN
from harness.inspector import TITLE, WAITING
from harness.session import VetrixTest, main
from harness.waiting import START_TIMEOUT


class MainWindow(VetrixTest):
    def test_title_size_and_centre(self):
        self.session.start()
        # Placed when first shown; creation puts it at the corner before that.
        window = self.session.wait_activated().window
        self.assertEqual(window["title"], TITLE)
        left, top, width, height = window.rect()
        self.assertEqual((width, height), (596, 406), "outer size")
        self.assertEqual((left, top), ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2),
                         "centred on the 1024x768 desktop")
        self.assertEqual(len(self.session.windows()), 1, "exactly one window with the title")

    def test_first_activation_hides_to_tray_and_starts_recognition(self):
        session = self.session
        session.start()
        # Recognition starts only from the first activation; what that also did is seen after.
        dump = session.wait_caption(WAITING, " after the first activation", timeout=START_TIMEOUT)
        self.assertFalse(dump.window.flag("visible"), "the window hidden in the tray")
        screen.wait_tray_picture(session, screen.QUESTION_MARK)
        session.assert_running()

    def test_controls_follow_the_client_size(self):
        self.session.start()
        self.session.wait_activated()
        dump = self.session.show_from_tray()
        # The layout is recomputed from the client size W x H. Wine's frame is
        # thinner than the design's, so the client is not the designed 586 x 370,
        # at which these come out as (8, 288), (208, 0, 30, 281), (240, 0, 345, 281).
        w, h = (int(v) for v in dump.window["client"].split())
        button = dump.start_button()
        self.assertEqual(button.rect("crect"), (8, h - 82, 75, 25), "start button")
        self.assertTrue(button.flag("visible") and button.flag("enabled"))
        boxes = sorted(c.rect("crect") for c in dump.find("ListBox") if c.flag("visible"))
        self.assertEqual(boxes, [(w - 378, 0, 30, h - 89), (w - 346, 0, 345, h - 89)],
                         f"the two list boxes, client {w} x {h}")


if __name__ == "__main__":
    main()

"""The main window appears with its exact title, size, place and layout."""

import harness
from harness import SCREEN, TITLE


class MainWindow(harness.VetrixTest):
    def test_title_size_and_centre(self):
        window = self.session.start()
        self.assertEqual(window["title"], TITLE)
        left, top, width, height = window.rect()
        self.assertEqual((width, height), (596, 406), "outer size")
        self.assertEqual((left, top), ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2),
                         "centred on the 1024x768 desktop")
        self.assertEqual(len(self.session.windows()), 1, "exactly one window with the title")

    def test_start_button_and_list_boxes(self):
        self.session.start()
        dump = self.session.wait_dump("the Start button", lambda d: d.find("Button", "Старт"))
        (button,) = dump.find("Button", "Старт")
        self.assertEqual(button.rect("crect"), (8, 288, 75, 25))
        self.assertTrue(button.flag("visible") and button.flag("enabled"))
        boxes = sorted(c.rect("crect") for c in dump.find("ListBox") if c.flag("visible"))
        self.assertEqual(boxes, [(208, 0, 30, 281), (240, 0, 345, 281)], "visible list boxes")


if __name__ == "__main__":
    harness.main()

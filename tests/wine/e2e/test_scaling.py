"""The real program at 144 and 192 DPI (Wine's system DPI, in a prefix of the tests' own): the
window at 1.5 and 2 times its size, its list rows scaled and every check box's and radio
button's caption within its control; a gesture drawn at hand size fires, a movement shorter than the scaled distance does
not count, and the trail is drawn wider."""

import os
import time

from harness import screen
from harness.inspector import START, WAITING
from harness.pointer import row_point
from harness.session import main
from harness.waiting import poll
import trigger_steps
from trigger_steps import STEP, STEPS

RIGHT = 3
TRAIL_COLOUR = (232, 64, 32)
# Button styles (the low four bits): a check box and a radio button draw their box before
# the caption.
BOXED_STYLES = {0x2, 0x3, 0x4, 0x9}


def scaled(v, dpi):
    """v at 96 DPI at dpi, rounded half away from zero as the program does."""
    return (v * dpi + 48) // 96


class Scaled(trigger_steps.TriggerTest):
    """One program run at the class's DPI."""

    def step(self):
        return scaled(STEP, self.dpi)

    def trail_rows(self, x):
        """The screen rows of column x that show the trail's colour."""
        ppm = screen.capture(self.session, (x, 0, 1, self.session.screen[1]))
        _, height, data = screen.pixels(ppm)
        return [y for y in range(height)
                if all(abs(a - b) <= 12 for a, b in zip(data[3 * y:3 * y + 3], TRAIL_COLOUR))]

    def assert_caption_fits(self, box):
        """A check box's or radio button's caption ends before the control does: a cut one
        runs into its last columns. Text is the dark pixels on the light face."""
        left, top, width, height = box.rect()
        columns, _, data = screen.pixels(screen.capture(self.session, box.rect()))
        inked = [x for x in range(columns) for y in range(height)
                 if max(data[3 * (y * columns + x):3 * (y * columns + x) + 3]) < 110]
        self.assertTrue(inked, f'no caption seen in {box["text"]} at {(left, top, width, height)}')
        self.assertLess(max(inked), width - 2, f'the caption "{box["text"]}" is cut')

    def check_window(self):
        dump = self.session.show_from_tray()
        shots = os.environ.get("VETRIX_SCALING_SHOTS")
        if shots:
            # For a look by eye: the gesture drawn, the window, the taskbar.
            gestures = min(dump.find("ListBox"), key=lambda box: box.rect()[2])
            self.session.click_at(*row_point(gestures, 0))
            time.sleep(0.5)
            screen.screenshot(self.session, os.path.join(shots, f"scaling-{self.dpi}.png"))
        _, _, width, height = dump.window.rect()
        self.assertEqual((width, height), (scaled(596, self.dpi), scaled(406, self.dpi)),
                         "the window's outer size")
        for child in dump.children:
            if (child["class"].lower() == "button" and child.flag("visible") and child["text"]
                    and int(child["style"], 16) & 0xF in BOXED_STYLES):
                self.assert_caption_fits(child)
        for box in dump.find("ListBox"):
            self.assertEqual(int(box["rowh"]), scaled(13, self.dpi), "a list's row height")
        self.session.click_centre(dump.find("Button", "Скрыть")[0])
        self.session.wait_window(visible=False)

    def test_window_gesture_and_trail_at_scale(self):
        session = self.session
        self.write_profile(UM=1, MB=RIGHT, x2=60, y2=60)
        session.start()
        self.wait_hidden(START)
        self.check_window()

        # 30 px right and 30 down: each movement counts at 96 DPI and fires the gesture; here
        # neither counts alone, and together they point down and right, which is no stroke.
        start = (scaled(60, self.dpi), scaled(100, self.dpi))
        x, y = start
        session.xdotool("mousemove", str(x), str(y), *self.SETTLE, "mousedown", str(RIGHT),
                        *self.SETTLE, "mousemove", str(x + 30), str(y), "sleep", "0.1",
                        "mousemove", str(x + 30), str(y + 30), "sleep", "0.1",
                        "mouseup", str(RIGHT))
        session.wait_caption(START, " after the short movement")
        self.expect_hits(0)

        # The gesture at hand size, the trail along it while held.
        step = self.step()
        self.draw(start, button=RIGHT, strokes=((step, 0), (0, step)), release=False)
        session.wait_caption(WAITING, " while the gesture's button is held")
        # The program may still be drawing what the pointer did.
        rows = poll("the trail across its first stroke",
                    lambda: self.trail_rows(start[0] + 2 * step))
        session.xdotool("mouseup", str(RIGHT))
        session.wait_caption(START, " after the release")
        self.expect_hits(1)
        # Wine shows only the pixels the line covers well (docs/wine-notes.md): 3 of a line 4
        # wide at 96 DPI, one less than its width.
        width = scaled(4, self.dpi) - 1
        self.assertTrue(width <= len(rows) <= width + 1,
                        f"the trail {len(rows)} px wide across its first stroke: rows {rows}")


class At144(Scaled):
    dpi = 144


class At192(Scaled):
    dpi = 192


del Scaled

if __name__ == "__main__":
    main()

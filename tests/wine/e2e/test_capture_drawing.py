"""What the drawing area shows, pixel for pixel, against the fake platform's drawing of the
same gesture (reference_drawing, from the native build): all twelve directions, chains that
leave the area, scales 7, 15 and 30 set in the scale field, start points placed with the right
button next to the edges, and the larger bitmap after the window has been maximised."""

import time

from harness import pointer, profile, screen
from harness.session import VetrixTest, main
import capture_steps as cs

DIRECTIONS = [[a] for a in range(0, 360, 30)]
CHAINS = [[0, 90, 180, 270], [30, 150, 270, 30], [0] * 6, [180, 180, 180, 90, 90, 90, 90],
          [60, 300, 60, 300, 60, 300]]
GESTURES = DIRECTIONS + CHAINS
SQUARE, TURNS, STRAIGHT, UP_LEFT, ZIGZAG = range(len(DIRECTIONS), len(GESTURES))
START = (100, 140)
# A redraw is done long before this; a real difference fails no later.
SETTLE = 3.0


class Drawing(VetrixTest):
    def assert_drawn(self, row, scale, start):
        """Selects the row and waits until the visible part of the bitmap equals the reference."""
        session, dump = self.session, self.dump
        list1 = cs.lists(dump)[0]
        session.click_at(*pointer.row_point(list1, row))
        left, top, width, height = cs.drawing_area(dump).rect()
        # The gesture list overlaps the area's last column; the bitmap may be smaller than the area.
        visible = (min(width, list1.rect()[0] - left, self.bitmap[0]), min(height, self.bitmap[1]))
        want = screen.crop(cs.reference(*self.bitmap, scale, start, GESTURES[row]), *visible)
        deadline = time.monotonic() + SETTLE
        while True:
            got = screen.capture(session, (left, top, *visible))
            if got == want:
                return
            if time.monotonic() > deadline:
                break
        wrong = screen.differences(got, want)
        xs, ys = [p[0] for p in wrong], [p[1] for p in wrong]
        name = f"row{row}-scale{scale}-at{start[0]}_{start[1]}"
        saved = screen.keep_for_inspection(name, got, want)
        self.fail(f"{GESTURES[row]} at scale {scale} from {start}: {len(wrong)} pixels differ "
                  f"within x {min(xs)}..{max(xs)}, y {min(ys)}..{max(ys)}, such as "
                  f"{wrong[:5]} (x, y, screen, reference); pictures: {saved}")

    def set_scale(self, text):
        session = self.session
        x, y = pointer.centre(self.scale_field)
        # A double click selects the whole number; typing replaces it.
        session.xdotool("mousemove", str(x), str(y), "click", "--repeat", "2", "--delay", "60", "1")
        session.xdotool("type", text)
        session.wait_dump(f"the scale field to read {text}", lambda d: any(
            c["hwnd"] == self.scale_field["hwnd"] and c["text"] == text for c in d.children))

    def place_start(self, x, y):
        """Right click, move to the drawing-area point (x, y), right click: the new start."""
        session = self.session
        left, top, _, _ = cs.drawing_area(self.dump).rect()
        session.click_at(left + 100, top + 100, 3)
        pointer.move_seen(session, *cs.drawing_to_screen(self.dump, x, y))
        session.xdotool("click", "3")
        profile.wait_ini_line(session.folder, rb"x2=%d" % x)
        profile.wait_ini_line(session.folder, rb"y2=%d" % y)
        return x, y

    def maximise(self):
        """Clicks the maximise box; returns the new dump."""
        left, top, width, _ = self.dump.window.rect()
        # Wine's caption boxes are 16 px wide: close ends 6 px from the right edge, maximise
        # 2 px before it. (A double click on the caption now and then ends as a move instead.)
        self.session.click_at(left + width - 32, top + 13)
        return self.session.wait_dump("the window maximised",
                                      lambda d: d.window.rect()[2] > width)

    def test_drawing_area_matches_the_fake_drawing(self):
        cs.reference_tool()
        session = self.session
        profile.write_ini(session.folder,
                          profile.with_gestures(GESTURES, HK="yes", x2=START[0], y2=START[1]))
        self.dump = cs.start_shown(session)
        self.scale_field = next(c for c in self.dump.find("Edit") if c["text"] == "15")
        self.bitmap = cs.DESIGN_BITMAP

        for row in range(len(GESTURES)):
            self.assert_drawn(row, 15, START)
        # Odd lengths at 30 and 60 degrees end on half pixels.
        self.set_scale("7")
        for row in (1, 2, TURNS, ZIGZAG):
            self.assert_drawn(row, 7, START)
        self.set_scale("30")
        for row in (4, SQUARE, STRAIGHT, UP_LEFT, ZIGZAG):
            self.assert_drawn(row, 30, START)

        # The start dot cut by the top-left corner, then by the bitmap's bottom-right corner.
        corner = self.place_start(2, 4)
        for row in (UP_LEFT, SQUARE):
            self.assert_drawn(row, 30, corner)
        far = self.place_start(self.bitmap[0] - 2, self.bitmap[1] - 2)
        for row in (SQUARE, 0):
            self.assert_drawn(row, 30, far)

        self.place_start(*START)
        self.dump = self.maximise()
        area = cs.drawing_area(self.dump).rect()
        self.bitmap = area[2:]
        self.assertGreater(self.bitmap[0], cs.DESIGN_BITMAP[0])
        self.assert_drawn(STRAIGHT, 30, START)


if __name__ == "__main__":
    main()

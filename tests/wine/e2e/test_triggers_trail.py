"""What a user sees of a triggered run: the trail along the pointer's path while the right
button is held, over every window, gone with the release; the tip naming the action that fired,
gone within two seconds; in hot-key mode clicks through the trail to the window below, and the
tip after a run that fired nothing; with Trail=no and Tip=no neither."""

import time

from harness import screen
from harness.inspector import START, WAITING
from harness.session import main
from harness.waiting import poll
import trigger_steps
from trigger_steps import STEP, STEPS

RIGHT = 3
TRAIL_COLOUR = (232, 64, 32)
# On trigger_window (0, 0, 200 x 700), clear of the main window.
TARGET_RECT = ("0", "0", "200", "700")
START_POINT = (40, 100)
CORNER = (40 + STEPS * STEP, 100)
END_POINT = (CORNER[0], 100 + STEPS * STEP)
TRAIL, TIP = "VetrixTrail", "VetrixTip"


def near_trail_colour(rgb):
    return all(abs(a - b) <= 12 for a, b in zip(rgb, TRAIL_COLOUR))


def trail_pixels(session):
    """The points of the screen that show the trail's colour."""
    width, _, data = screen.pixels(screen.capture(session, (0, 0, 1024, 768)))
    return {(i // 3 % width, i // 3 // width) for i in range(0, len(data), 3)
            if near_trail_colour(data[i:i + 3])}


def distance_to_path(point, path):
    """Pixels from a point to the nearest of the path's axis-parallel segments."""
    x, y = point
    best = None
    for (ax, ay), (bx, by) in zip(path, path[1:]):
        cx = min(max(x, min(ax, bx)), max(ax, bx))
        cy = min(max(y, min(ay, by)), max(ay, by))
        d = max(abs(x - cx), abs(y - cy))
        best = d if best is None else min(best, d)
    return best


class TrailAndTip(trigger_steps.TriggerTest):
    def start(self, **main):
        self.write_profile(UM=1, MB=RIGHT, **main)
        self.session.start()
        self.wait_hidden(START)
        self.target = self.start_tool("window", *TARGET_RECT, wait_for="ready")

    def windows_of(self, cls):
        return [w for w in self.session.records("windows") if w["class"] == cls]

    def wait_trail(self, path, points):
        """Waits until the screen shows the trail's colour at `points`; checks that it shows it
        nowhere farther than 3 px from `path`."""
        def probe():
            shown = trail_pixels(self.session)
            return shown if all(p in shown for p in points) else None
        shown = poll("the trail along the drawn path", probe)
        stray = sorted(p for p in shown if distance_to_path(p, path) > 3)
        self.assertEqual(stray[:10], [], "the trail's colour only along the path")

    def test_the_trail_follows_the_held_gesture_and_the_tip_names_its_action(self):
        self.start()
        self.draw(START_POINT, button=RIGHT, strokes=((STEP, 0),), release=False)
        self.wait_trail([START_POINT, CORNER], [START_POINT, (100, 100), CORNER])
        self.assertEqual(len(self.windows_of(TRAIL)), 1, "one trail window while held")
        self.assertEqual(self.caption(), WAITING)

        # Down: the gesture fires on its way, and the tip names the batch file.
        moves = []
        for step in range(1, STEPS + 1):
            moves += ["mousemove", str(CORNER[0]), str(CORNER[1] + step * STEP), "sleep", "0.03"]
        self.session.xdotool(*moves)
        tip = self.session.wait_top_level(TIP, "mark.bat")
        seen = time.monotonic()
        left, top, _, _ = tip.rect()
        self.assertTrue(CORNER[0] <= left <= CORNER[0] + 40 and CORNER[1] <= top <= END_POINT[1] + 40,
                        f"the tip at {tip.rect()} is near the pointer")
        poll("the tip to go", lambda: not self.windows_of(TIP), timeout=2)
        self.assertLess(time.monotonic() - seen, 2.0, "gone within two seconds")
        self.wait_trail([START_POINT, CORNER, END_POINT], [START_POINT, (CORNER[0], 160), END_POINT])

        self.session.xdotool("mouseup", str(RIGHT))
        self.session.wait_caption(START, " after the release")
        self.assertEqual(self.windows_of(TRAIL), [], "the trail's window is gone")
        self.assertEqual(trail_pixels(self.session), set(), "no trail pixel is left")
        self.expect_hits(1)

    def test_in_hot_key_mode_clicks_go_through_the_trail(self):
        # No button is held here: a held one would keep every click for the window it was
        # pressed over.
        self.write_profile(HK="yes", Hotkey="Ctrl+Alt+F5")
        self.session.start()
        self.wait_hidden(START)
        self.target = self.start_tool("window", *TARGET_RECT, wait_for="ready")
        self.session.xdotool("mousemove", *map(str, START_POINT))
        self.hot_key()
        self.session.wait_caption(WAITING, " after the hot key")
        self.draw(START_POINT, strokes=((STEP, 0),))
        self.wait_trail([START_POINT, CORNER], [START_POINT, (100, 100), CORNER])

        self.session.xdotool("mousemove", "100", "100", *self.SETTLE, "click", "1")
        self.target.wait("the click on the trail at the target",
                         lambda line: line.startswith("WM_LBUTTONUP"))
        self.assertIn(("WM_LBUTTONDOWN", 100, 100), self.target.events())

        # The key again ends the run: the pointer went well past a click's wobble and nothing
        # fired, which the tip says.
        self.hot_key()
        self.session.wait_top_level(TIP, "Жест не распознан")
        self.assertEqual(self.windows_of(TRAIL), [])
        self.expect_hits(0)

    def test_trail_no_and_tip_no_show_nothing(self):
        self.start(Trail="no", Tip="no")
        self.draw(START_POINT, button=RIGHT, release=False)
        self.session.wait_caption(WAITING, " while the button is held")
        self.assertEqual(trail_pixels(self.session), set())
        self.session.xdotool("mouseup", str(RIGHT))
        self.session.wait_caption(START, " after the release")
        self.expect_hits(1)
        self.assertEqual(self.windows_of(TRAIL) + self.windows_of(TIP), [])


if __name__ == "__main__":
    main()

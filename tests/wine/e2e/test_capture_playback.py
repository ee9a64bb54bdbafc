"""Playback: a double click in the drawing area walks the real pointer along the gesture selected
in the gesture list, from where the double click happened, in six sub-steps of scale/5 per stroke, and then
puts it back; Esc cuts it short."""


from harness import pointer, profile
from harness.session import VetrixTest, main
from harness.waiting import poll
import capture_steps as cs

SCALE = 15  # the default; a sub-step is round(15 / 5) = 3 px
RIGHT, RIGHT_UP = [0], [0, 90]
LONG = [0] * 10


def path(origin, angles):
    """The positions playback gives the pointer after its first, which is the origin itself."""
    step = {0: (3, 0), 90: (0, -3)}
    x, y = origin
    points = []
    for angle in angles:
        dx, dy = step[angle]
        for _ in range(6):
            x, y = x + dx, y + dy
            points.append((x, y))
    # Each stroke's sixth step only moves the next starting point; the end is never visited.
    return points[:-1] + [origin]


class Playback(VetrixTest):
    def play(self, dump, row, esc_after=None):
        """Selects the row, double-clicks the drawing area, and returns the double click's point
        and the pointer's positions from then until it settles. With esc_after, presses Esc once
        the pointer has taken that many positions."""
        session = self.session
        list1 = cs.lists(dump)[0]
        session.click_at(*pointer.row_point(list1, row))
        session.wait_dump(f"row {row} of the gesture list selected", lambda d: d.selected_rows(list1) == [row])
        left, top, _, _ = cs.drawing_area(dump).rect()
        origin = (left + 150, top + 200)
        session.xdotool("mousemove", *map(str, origin))
        poll("the pointer at the double click's place", lambda: pointer.position(session) == origin)
        trace = pointer.PointerTrace(session)
        self.assertEqual(trace.start, origin)
        session.xdotool("click", "--repeat", "2", "--delay", "60", "1")
        if esc_after:
            poll(f"{esc_after} playback positions", lambda: len(trace.moves) >= esc_after,
                 describe=lambda _: repr(trace.moves))
            session.xdotool("key", "Escape")
        moves = trace.finish()
        after = session.wait_dump("the gesture list enabled again", lambda d: cs.lists(d)[0].flag("enabled"))
        self.assertEqual(after.selected_rows(list1), [row], "the gesture list keeps its row through playback")
        return origin, moves

    def test_pointer_walks_the_selected_gesture_and_returns(self):
        profile.write_ini(self.session.folder, profile.with_gestures([RIGHT, RIGHT_UP], HK="yes"))
        dump = cs.start_shown(self.session)
        for row, angles in ((0, RIGHT), (1, RIGHT_UP)):
            origin, moves = self.play(dump, row)
            self.assertEqual(moves, path(origin, angles), f"playback of {angles} at scale {SCALE}")

    # Playback disables the gesture list, which has the keyboard focus after the click on its row; Esc
    # must still reach the window's key handler.
    def test_esc_puts_the_pointer_back_early(self):
        profile.write_ini(self.session.folder, profile.with_gestures([LONG], HK="yes"))
        origin, moves = self.play(cs.start_shown(self.session), 0, esc_after=3)
        full = path(origin, LONG)
        self.assertEqual(moves[-1], origin, "Esc puts the pointer back")
        self.assertEqual(moves[:-1], full[:len(moves) - 1], "the way up to Esc")
        self.assertLess(len(moves), len(full) // 2, f"Esc ended the playback: {moves}")


if __name__ == "__main__":
    main()

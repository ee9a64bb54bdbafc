"""The attempt trace: with TraceFile set, a gesture drawn with the real pointer that misses by
one turn is recorded as an attempt with the samples recognition saw, and one that fires is
recorded as fired, with its row. An attempt keeps every pass: while the pointer rests, a
repaint of the window costs one."""

import datetime
import glob
import hashlib
import os
import re

from harness.inspector import TITLE, WAITING
from harness.profile import make_unwritable
from harness.session import main, wine_path
from harness.waiting import poll
import trigger_steps
from trigger_steps import STEP, STEPS

START_POINT = (300, 300)
REDRAWS = 10
OPENING = re.compile(r"# attempt (\d{4}-\d\d-\d\d \d\d:\d\d:\d\d), "
                     r"(continuous|mouse button|hot key), "
                     r"(fired row \d+|ended by the timer|ended with the run)"
                     r"(, first \d+ samples lost)?$")


class Attempt:
    def __init__(self, opening):
        self.opening = opening
        self.match = OPENING.match(opening)
        self.samples = []  # (ms, x, y)

    def __repr__(self):
        return f"{self.opening!r} with {len(self.samples)} samples"


class AttemptTrace(trigger_steps.TriggerTest):
    def setUp(self):
        super().setUp()
        self.trace_path = os.path.join(self.session.folder, "trace.txt")
        self.write_profile(TraceFile=wine_path(self.trace_path))
        self.session.start()
        # Continuous: recognition runs from the first activation on.
        self.wait_hidden(WAITING)

    def attempts(self):
        if not os.path.exists(self.trace_path):
            return []
        with open(self.trace_path, "rb") as f:
            text = f.read().decode("ascii")
        attempts = []
        for line in text.split("\r\n"):
            if line.startswith("#"):
                attempts.append(Attempt(line))
            elif line:
                attempts[-1].samples.append(tuple(map(int, line.split())))
        return attempts

    def wait_attempts(self, count):
        def probe():
            attempts = self.attempts()
            return attempts if len(attempts) >= count else None
        return poll(f"{count} attempt(s) in the trace", probe,
                    describe=lambda _: repr(self.attempts()))

    def check_attempt(self, attempt, ending, turn):
        """The opening names the mode and `ending`; the samples run from the start point right
        along the first stroke, then `turn` (+1 down, -1 up) ends the attempt."""
        self.assertIsNotNone(attempt.match, attempt.opening)
        stamp, mode, end = attempt.match.group(1, 2, 3)
        self.assertEqual((mode, end, attempt.match.group(4)), ("continuous", ending, None))
        now = datetime.datetime.now()
        self.assertLess(abs(datetime.datetime.fromisoformat(stamp) - now),
                        datetime.timedelta(minutes=5), "local time")
        times = [ms for ms, _, _ in attempt.samples]
        self.assertEqual(times[0], 0, attempt.samples)
        self.assertEqual(times, sorted(times), attempt.samples)
        self.assertLess(times[-1], 3000, "one drawing, well within the timer")
        points = [(x, y) for _, x, y in attempt.samples]
        x0, y0 = START_POINT
        # The first line is where the first stroke's movement was measured from; the pointer
        # jumped there before the drawing.
        self.assertEqual(points[0], START_POINT, attempt.samples)
        first_stroke = [(x0 + STEP * i, y0) for i in range(1, STEPS + 1)]
        self.assertTrue(set(first_stroke) <= set(points[:-1]), attempt.samples)
        self.assertTrue(all(y == y0 for _, y in points[:-1]), attempt.samples)
        end_x, end_y = points[-1]
        self.assertEqual(end_x, x0 + STEP * STEPS, attempt.samples)
        self.assertEqual((end_y - y0) * turn, STEP, "the first step of the turn ends it")

    def test_a_missed_turn_and_a_fired_gesture_are_recorded(self):
        # Right, then up where the gesture turns down: the one gesture drops out there.
        self.draw(START_POINT, strokes=((STEP, 0), (0, -STEP)))
        missed = self.wait_attempts(1)[0]
        self.check_attempt(missed, "ended by the timer", -1)

        self.draw(START_POINT)
        attempts = self.wait_attempts(2)
        self.assertEqual(len(attempts), 2, attempts)
        self.check_attempt(attempts[1], "fired row 0", +1)
        self.expect_hits(1)
        # Here vetrix-check.exe --replay on self.trace_path names row 0 and the stroke the first
        # attempt missed, and the firing of row 0 in the second.

    def test_a_repaint_while_the_pointer_rests_costs_one_pass(self):
        # Shown, the window can repaint; recognition goes on. The gesture's first stroke is
        # drawn beside it, and the attempt, which keeps every pass, lasts until a step up
        # leaves the gesture.
        left, _, width, _ = self.session.show_from_tray().window.rect()
        start = (left + width + 20, 300)
        self.draw(start, strokes=((STEP, 0),))
        rest = (start[0] + STEP * STEPS, start[1])
        self.session.inspect("redraw", TITLE, str(REDRAWS))
        self.session.xdotool("mousemove", str(rest[0]), str(rest[1] - STEP))
        attempt = poll("the attempt from the start point", lambda: next(
            (a for a in self.attempts() if a.samples[0][1:] == start), None))
        # At rest: the last move's pass and the three still passes before the loop waits, then
        # the passes of its wakes. A repaint's handler changes nothing a pass looks at: its wake
        # is one pass (repaints close together may share one), not two.
        woken = [ms for ms, x, y in attempt.samples if (x, y) == rest][4:]
        self.assertGreaterEqual(len(woken), REDRAWS // 2, f"too few wakes: {attempt.samples}")
        self.assertLessEqual(len(woken), REDRAWS, attempt.samples)


class TraceFileKept(trigger_steps.TriggerTest):
    """What the program leaves of a file that TraceFile names but must not change. The action
    runs right before the attempt is written, so by the time its hit shows the write is done."""

    def start_with(self, name, content):
        path = os.path.join(self.session.folder, name)
        with open(path, "wb") as f:
            f.write(content)
        self.write_profile(TraceFile=wine_path(path))
        return path

    def fire_and_check_untouched(self, path, content):
        self.session.start()
        self.wait_hidden(WAITING)
        self.draw(START_POINT)
        self.expect_hits(1)
        with open(path, "rb") as f:
            after = f.read()
        self.assertEqual(len(after), len(content))
        self.assertTrue(hashlib.sha256(after).digest() == hashlib.sha256(content).digest())
        self.assertEqual(glob.glob(os.path.join(self.session.folder, "vtx*.tmp")), [])

    def test_a_file_that_holds_no_attempts_is_left_as_it_is(self):
        # Past the 1 MB limit, where the program would cut the file to its attempts.
        content = b"notes\r\n" * 149_799
        self.fire_and_check_untouched(self.start_with("notes.txt", content), content)

    def test_a_failed_replacement_leaves_the_old_file_whole(self):
        # A file of attempts past the limit: the new attempt makes a new file beside it, which
        # cannot take the place of one that is made unchangeable.
        one = b"# attempt 2026-01-01 00:00:00, continuous, ended by the timer\r\n0 1 1\r\n"
        content = one * (1_048_600 // len(one))
        path = self.start_with("trace.txt", content)
        make_unwritable(self, path)
        self.fire_and_check_untouched(path, content)


if __name__ == "__main__":
    main()

"""A second start hands over to the running program and leaves at once."""

import subprocess
import time

from harness.inspector import TITLE
from harness.session import VetrixTest, main


class SingleInstance(VetrixTest):
    def test_second_start_exits_quickly_with_one_window_left(self):
        self.session.start()
        self.session.wait_activated()
        began = time.monotonic()
        second = self.session.launch()
        try:
            code = second.wait(timeout=1.0)
        except subprocess.TimeoutExpired:
            second.kill()
            second.wait()
            self.fail("the second vetrix.exe was still running after 1 s")
        elapsed = time.monotonic() - began
        self.assertEqual(code, 0, f"second instance's exit code (after {elapsed:.2f} s)")
        self.session.assert_running()
        titles = self.session.windows()
        self.assertEqual(len(titles), 1, f"windows titled {TITLE!r}: {titles}")


if __name__ == "__main__":
    main()

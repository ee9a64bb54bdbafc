"""Waiting for what a test expects, polled within bounds."""

import time

# Generous for a loaded CI machine; a healthy run needs a fraction of each.
START_TIMEOUT = 20.0
UI_TIMEOUT = 10.0
POLL_INTERVAL = 0.05


def poll(what, probe, timeout=UI_TIMEOUT, describe=None):
    """Calls probe() until it returns something truthy, or fails the test.

    describe(last) adds what was last seen to the failure message.
    """
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() >= deadline:
            seen = describe(last) if describe else repr(last)
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}; last seen: {seen}")
        time.sleep(POLL_INTERVAL)


def poll_settled(what, look, key=lambda seen: seen, timeout=UI_TIMEOUT):
    """Calls look() until two calls in a row agree on key(what it returns); returns the last."""
    last = []

    def probe():
        seen = look()
        settled = last == [key(seen)]
        last[:] = [key(seen)]
        return (seen,) if settled else None
    return poll(what, probe, timeout)[0]

"""Child processes of a test: none may outlive it."""

import ctypes
import os
import signal


def die_with_parent():
    # A harness killed by CTest's timeout must not leave Xvfb or Wine behind.
    PR_SET_PDEATHSIG = 1
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def kill_group(proc):
    """Kills a process started in a session of its own, with everything it started."""
    if proc.poll() is None:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()

"""Child processes of a test, none of which may outlive it, and how the test tools report and
are signalled: a log file and signal files in their folder."""

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


def log_lines(path):
    """The lines of a log that a running program appends to; none before it exists."""
    try:
        with open(path) as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return []


class ToolRun:
    """A test tool running in a folder of its own: the log it appends to there, and the files by
    which the test signals it."""

    def __init__(self, proc, folder, log_name):
        self.proc = proc
        self.folder = folder
        self.log_name = log_name

    def log(self):
        return log_lines(os.path.join(self.folder, self.log_name))

    def signal(self, name, text=""):
        # Written aside and renamed, so that the tool never reads half a number.
        path = os.path.join(self.folder, name)
        with open(path + ".tmp", "w") as f:
            f.write(text)
        os.replace(path + ".tmp", path)

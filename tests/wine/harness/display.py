"""The private X server of one test. Wine's virtual desktop fills its screen, so Windows screen
coordinates equal X coordinates."""

import os
import select
import subprocess
import tempfile
import time

from harness.processes import die_with_parent
from harness.waiting import START_TIMEOUT

SCREEN = (1024, 768)


class Xvfb:
    def __init__(self, size=SCREEN):
        read_end, write_end = os.pipe()
        # A file, not a pipe: an unread pipe would fill up and stall the server.
        self.log = tempfile.TemporaryFile()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{size[0]}x{size[1]}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=self.log,
            preexec_fn=die_with_parent)
        os.close(write_end)
        try:
            number = self._read_display(read_end)
        finally:
            os.close(read_end)
        if not number:
            raise RuntimeError("Xvfb did not report a display: " + self.stop())
        self.display = ":" + number
        # Xvfb would otherwise take Ctrl+Alt+F1..F12 as console switches.
        result = subprocess.run(["setxkbmap", "-display", self.display, "-option", "srvrkeys:none"],
                                capture_output=True, text=True, timeout=30)
        if result.returncode != 0:
            raise RuntimeError(f"setxkbmap on {self.display} failed: {result.stderr.strip()} "
                               + self.stop())

    @staticmethod
    def _read_display(fd):
        # -displayfd: Xvfb picks a free display and writes "N\n" once it is ready.
        # It writes the newline separately and dies if the pipe is closed before.
        data = b""
        deadline = time.monotonic() + START_TIMEOUT
        while not data.endswith(b"\n"):
            ready, _, _ = select.select([fd], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(fd, 64) if ready else b""
            if not chunk:
                return ""
            data += chunk
        return data.decode().strip()

    def stop(self):
        """Stops the server and returns what it printed."""
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        if self.log.closed:
            return ""
        self.log.seek(0)
        text = self.log.read().decode(errors="replace")[-2000:]
        self.log.close()
        return text

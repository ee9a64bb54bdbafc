"""The real pointer and keyboard, driven with xdotool in the session's display."""

import subprocess


class Pointing:
    """Mixed into Session, whose env names its display."""

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=30)

    def click_at(self, x, y, button=1):
        # One call: XTest queues the move before the press, so the press lands
        # there. (--sync would wait 15 s when the pointer is already in place.)
        self.xdotool("mousemove", str(x), str(y), "click", str(button))

    def click_centre(self, child):
        left, top, width, height = child.rect()
        self.click_at(left + width // 2, top + height // 2)

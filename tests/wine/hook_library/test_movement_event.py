"""Zorv.dll's pointer record and the moves it counts: no record before InstallHook, a move
counted while the hook runs, no record after UnInstallHook. The program's resting wait still
sees the pointer move when the hook reports nothing, as when the system has dropped it, and puts
the hook back; the library notices such a hook by itself too. The record holds where the last
move heard went, while the hook is on; the hook goes off at the program's word only while
nothing but moves would be missed."""

import hook_steps
from hook_steps import AWAY, PRESS, RIGHT, trigger
from harness.waiting import START_TIMEOUT, UI_TIMEOUT, poll


def before(log, line):
    return log[:log.index(line)]


class MovementEvent(hook_steps.ZorvTest):
    def look(self, host):
        """The host's log once it has looked at the event after everything before this call."""
        host.signal("look")
        return host.wait("the host's look at the event", lambda log: "looked" in log)

    def move_until(self, host, what, line):
        """Moves the pointer, always somewhere new (a wait takes the pointer's place as it
        starts), until the host logs `line`."""
        steps = iter(range(1, 1000))

        def seen():
            self.xdotool("mousemove", str(PRESS[0] + next(steps)), str(PRESS[1]))
            return line in host.log()
        poll(what, seen, START_TIMEOUT, lambda _: repr(host.log()[-5:]))

    def test_set_at_a_move_only_while_the_hook_runs(self):
        self.start_target()
        self.xdotool("mousemove", *map(str, PRESS))
        host = self.start_host("--watch-event", "--linger")
        self.assertNotIn("moved", before(self.look(host), "looked"), "set with no move")

        self.xdotool("mousemove", *map(str, AWAY))
        host.wait("the move counted", lambda log: "moved" in log)

        host.signal("stop")
        host.wait("UnInstallHook", lambda log: any(line.startswith("event uninstalled")
                                                     for line in log))
        # A move, then a click that passes: by the time the target has the click, a hook still
        # running would have seen the move.
        self.assertEqual(self.target_names(self.marker(at=PRESS)), [])
        host.signal("exit")
        log = host.stop(self)
        self.assertEqual([line for line in log if line.startswith("event ")],
                         ["event before_install=0", "event installed=1", "event uninstalled=0"])
        uninstalled = next(line for line in log if line.startswith("uninstall_ms="))
        after = log[log.index(uninstalled):]
        self.assertNotIn("moved", after, "a move counted after the hook")

    def test_resting_wait_sees_a_move_the_hook_does_not_report(self):
        host = self.start_host("--silence")
        # The library's hook hears nothing: the move reaches only the silencing hook.
        self.xdotool("mousemove", *map(str, PRESS))
        host.wait("the silencing hook to take the move",
                  lambda log: any(line.startswith("silenced ") for line in log))
        self.assertNotIn("moved", self.look(host), "the library's hook reported the move")

        host.signal("wait")
        host.wait("the resting wait", lambda log: "waiting" in log)
        # Looking now and then is enough: this bound is not a figure of it.
        self.move_until(host, "the resting wait to see the pointer move", "woken pointer")
        self.assertNotIn("not waiting", host.log())
        # A move unheard with no window hung puts the hook back, ahead of the silencing one.
        self.xdotool("mousemove", *map(str, AWAY))
        host.wait("the put-back hook to report a move", lambda _: "moved" in self.look(host))
        host.stop(self)

    def test_the_library_sets_a_silenced_hook_again_by_itself(self):
        # No resting wait runs, as in mouse-button mode at rest: the library's own slow look
        # finds the pointer moved unheard and sets its hook again, ahead of the silencing one.
        host = self.start_host("--silence", "--trigger", str(trigger(RIGHT, hold_back=False)))
        self.move_until(host, "the library to set its hook again", "moved")
        self.assertNotIn("waiting", host.log())
        host.stop(self)

    def record(self, host):
        """The record as the host's next look finds it: (hearing, "x y")."""
        looks = host.log().count("looked")
        host.signal("look")
        log = host.wait("the host's look at the record", lambda log: log.count("looked") > looks)
        _, hearing, _, at = [line for line in log if line.startswith("record ")][-1].split(" ", 3)
        return hearing, at

    def record_shows(self, host, expected):
        poll(f"the record to show {expected}", lambda: self.record(host) == expected,
             UI_TIMEOUT, lambda _: repr(host.log()[-6:]))

    def hear(self, host, hear, expected):
        def answers(log):
            return [line for line in log if line.startswith("heard ")]
        asked = len(answers(host.log()))
        host.signal("hear", f"{hear}\n")
        log = host.wait(f"HookHearMoves({hear})", lambda log: len(answers(log)) > asked)
        self.assertEqual(answers(log)[-1], f"heard {hear} = {expected}")

    def test_record_follows_the_pointer_while_the_hook_is_on(self):
        self.start_target()
        host = self.start_host("--record")
        self.xdotool("mousemove", *map(str, PRESS))
        self.record_shows(host, ("hearing=1", "{} {}".format(*PRESS)))

        self.hear(host, 0, 0)
        # By the time the target has the click there, a hook still on would have heard the move.
        self.marker(at=AWAY)
        self.assertEqual(self.record(host), ("hearing=0", "{} {}".format(*PRESS)))

        self.hear(host, 1, 1)
        self.xdotool("mousemove", "450", "320")
        self.record_shows(host, ("hearing=1", "450 320"))

        # The trigger's buttons must be heard: the hook stays.
        host.set_trigger(trigger(RIGHT))
        self.hear(host, 0, 1)
        self.click(RIGHT)
        self.assertEqual(host.wait_hooks(2), hook_steps.DOWN_UP[RIGHT])
        host.stop(self)

    def shows(self, host, record, system):
        """Waits until the host's look finds the record at `record` and the system's pointer at
        `system`."""
        expected = ("record hearing=1 at {} {}".format(*record), "system {} {}".format(*system))

        def probe():
            self.record(host)
            log = host.log()
            return tuple([line for line in log if line.startswith(kind)][-1]
                         for kind in ("record ", "system ")) == expected
        poll(f"the record at {record}, the system's pointer at {system}", probe, UI_TIMEOUT,
             lambda _: repr(host.log()[-4:]))

    def reads(self, host, count):
        """`count` reads of the pointer as the program reads it, each as (x, y)."""
        def done(log):
            return [line for line in log if line.startswith("read ")]
        before = len(done(host.log()))
        host.signal("read", f"{count}\n")
        line = done(host.wait("the program's reads", lambda log: len(done(log)) > before))[-1]
        return [tuple(map(int, point.split(","))) for point in line.split()[1:]]

    def test_reads_take_the_record_only_while_it_agrees_with_the_system(self):
        host = self.start_host("--record")
        self.xdotool("mousemove", *map(str, PRESS))
        self.record_shows(host, ("hearing=1", "{} {}".format(*PRESS)))
        # The program's own move, which the hook does not hear, ends the trust; the first read
        # that finds the two agreeing again brings it back.
        host.signal("setpos", "300 200\n")
        host.wait("the program's move", lambda log: "set" in log)
        self.xdotool("mousemove", *map(str, AWAY))
        self.shows(host, AWAY, AWAY)
        self.assertEqual(self.reads(host, 1), [AWAY])

        # From here the hook hears nothing, as when the system has dropped it.
        host.signal("silence")
        host.wait("the silencing hook", lambda log: "silencing" in log)
        unheard = (AWAY[0], AWAY[1] + 100)
        self.xdotool("mousemove", *map(str, unheard))
        self.shows(host, AWAY, unheard)
        reads = self.reads(host, 16)
        # Trusted, the record is read without asking the system, which is asked at least every
        # eighth read; once the two differ, every read asks it.
        self.assertEqual(reads[0], AWAY, reads)
        self.assertIn(unheard, reads[:8], reads)
        first = reads.index(unheard)
        self.assertEqual(reads[first:], [unheard] * (16 - first), reads)
        host.stop(self)


if __name__ == "__main__":
    hook_steps.main()

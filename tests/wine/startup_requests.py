#!/usr/bin/env python3
"""Counts the wineserver requests of start-up, phase by phase: vetrix.exe with a full aged
gesture.ini against tests/wine/programs/controls_window.exe reading the same file (`read` mode)
in the same kind of folder. Counts, unlike times, do not follow the machine's load.

A wineserver started by hand with `-f -d1` prints every request with the thread that made it.
The program's threads are its first thread (the one that says `init_first_thread` with the
started process's Unix pid) and every thread it makes (`new_thread`). Its requests from then on
until it shows the window that the start-up time waits for (the one given its title) are split
at marks both programs make themselves:

  start     until the first window is created (loader, libraries, the program's set-up)
  windows   from there until the first read of gesture.ini
  reads     from the first read to the last
  after     from the last read until the window is shown
  others    requests of every other process of the prefix (desktop, services) meanwhile, but
            not those of the inspector that waits for the window

and each phase by request name, the program's count minus the baseline's, largest first. The
two order their work differently (the baseline reads before it builds its controls, the
program builds them, then reads, filling them as it goes): compare the sums.

After the mingw build, from the repository:
  python3 tests/wine/startup_requests.py [--build build/mingw] [--exe other/vetrix.exe] [--styled]
                                          [--runs 2] [--top 12] [--keep-log DIR]

It uses a prefix of its own (<build>/wineprefix-trace), whose wineserver it restarts.
"""

import argparse
import collections
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from harness import profile
from harness.display import Xvfb
from harness.inspector import TITLE, parse_records
from harness.processes import kill_group, log_lines
from harness.session import WINE_ENV, programs_folder
from harness.waiting import START_TIMEOUT, poll
from measure_under_wine import full_profile

PHASES = ("start", "windows", "reads", "after")
# "0040: name( ... )" is a request, "0040: name() = STATUS { ... }" its reply.
REQUEST = re.compile(r"^([0-9a-f]{4}): (\w+)\((.*)$")
SWP_SHOWWINDOW = 0x40


class Run:
    def __init__(self, label):
        self.label = label
        self.phases = {p: collections.Counter() for p in PHASES}
        self.others = collections.Counter()
        self.opens = 0  # opens of gesture.ini: reads and key listings


def requests(lines):
    """Every request in order as (Unix pid of its process, thread, name, arguments). A thread is
    its process's from `init_first_thread`, which names the pid, or from the `new_thread` that
    made it; the server reuses the ids of threads that ended."""
    owner, out = {}, []
    for line in lines:
        m = REQUEST.match(line)
        if not m:
            continue
        thread, name, rest = m.groups()
        if rest.startswith(") ="):
            t = re.search(r"tid=([0-9a-f]{4})", rest)
            if name == "new_thread" and t:
                owner[t.group(1)] = owner.get(thread)
            continue
        if name == "init_first_thread":
            pid = re.search(r"unix_pid=(\d+)", rest)
            owner[thread] = int(pid.group(1)) if pid else None
        out.append((owner.get(thread), thread, name, rest))
    return out


def split(lines, unix_pid, watcher_pid, title):
    """The requests of one start, by phase, as Counters of request names; the requests of every
    other process but the watcher; and how often the program opened gesture.ini."""
    events = [(pid, name, rest) for pid, _, name, rest in requests(lines)]
    begin = next((i for i, e in enumerate(events)
                  if e[0] == unix_pid and e[1] == "init_first_thread"), None)
    if begin is None:
        raise RuntimeError(f"no init_first_thread of Unix pid {unix_pid} in the server's log")
    events = events[begin:]
    mine = [i for i, e in enumerate(events) if e[0] == unix_pid]

    def first_of(test, after=0):
        return next((i for i in mine if i >= after and test(*events[i])), None)

    made = first_of(lambda t, n, a: n == "create_window")
    # The window the inspector waits for: the one given the title, shown.
    titled = {_handle(a) for i in mine for t, n, a in [events[i]]
              if n == "set_window_text" and f'text=L"{title}"' in a}
    shown = first_of(lambda t, n, a: n == "set_window_pos" and _handle(a) in titled and _shows(a))
    if made is None or shown is None:
        raise RuntimeError("a start without a window or a showing in the server's log")
    opens = [i for i in mine if i < shown and events[i][1] == "create_file"
             and "gesture.ini" in events[i][2].lower()]
    if not opens:
        raise RuntimeError("no read of gesture.ini before the window was shown")
    # The last read ends when its file is closed again.
    last = first_of(lambda t, n, a: n == "close_handle", opens[-1]) or opens[-1]
    # A read begins with the routine's look for a mapping of the file in the registry.
    read_begin = opens[0]
    for i in reversed(mine):
        if i >= opens[0]:
            continue
        if events[i][1] == "open_key":
            read_begin = i
            break
        if events[i][1] not in ("get_key_value", "close_handle"):
            break
    bounds = {"start": (0, made), "windows": (made, read_begin), "reads": (read_begin, last + 1),
              "after": (last + 1, shown + 1)}
    counts = {p: collections.Counter() for p in PHASES}
    others = collections.Counter()
    for i, (pid, name, _) in enumerate(events[:shown + 1]):
        if pid == watcher_pid:
            continue
        if pid != unix_pid:
            others[name] += 1
            continue
        for phase, (lo, hi) in bounds.items():
            if lo <= i < hi:
                counts[phase][name] += 1
    return counts, others, len(opens)


def _handle(args):
    m = re.search(r"handle=([0-9a-f]+)", args)
    return m.group(1) if m else None


def _shows(args):
    m = re.search(r"swp_flags=([0-9a-f]+)", args)
    return bool(m) and int(m.group(1), 16) & SWP_SHOWWINDOW


class Tracer:
    def __init__(self, args):
        build = os.path.abspath(args.build)
        tools = programs_folder(build)
        self.exe = os.path.abspath(args.exe or os.path.join(build, "vetrix.exe"))
        self.baseline = os.path.join(
            tools, "controls_window_styled.exe" if args.styled else "controls_window.exe")
        self.inspector = os.path.join(tools, "inspector.exe")
        self.prefix = os.path.abspath(args.prefix or os.path.join(build, "wineprefix-trace"))
        self.args = args
        self.root = tempfile.mkdtemp(prefix="vetrix-requests-")
        self.log_path = os.path.join(self.root, "wineserver.log")
        self.xvfb = Xvfb()
        self.env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "LANG"))}
        self.env.update(LANG="C.UTF-8", LC_ALL="C.UTF-8", DISPLAY=self.xvfb.display,
                        WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.server = None

    def start_server(self):
        subprocess.run(["bash", WINE_ENV, "prefix", self.prefix], env=self.env, check=True,
                       capture_output=True, timeout=600)
        quiet = {"env": self.env, "capture_output": True, "timeout": 30}
        subprocess.run(["wineserver", "-k"], **quiet)
        subprocess.run(["wineserver", "-w"], **quiet)
        log = open(self.log_path, "wb")
        # In the foreground, so that its log is ours; -d1 prints every request.
        self.server = subprocess.Popen(["wineserver", "-f", "-d1"], env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                       start_new_session=True)
        log.close()
        # The desktop and services come up with the first program.
        self.wine(self.inspector, "windows").wait(timeout=120)

    def wine(self, exe, *args, cwd=None, out=None):
        sink = open(out, "ab") if out else subprocess.DEVNULL
        try:
            return subprocess.Popen(["wine", exe, *args], cwd=cwd or self.root, env=self.env,
                                    stdin=subprocess.DEVNULL, stdout=sink, stderr=sink,
                                    start_new_session=True)
        finally:
            if out:
                sink.close()

    def one_start(self, label, exe, args, title):
        folder = tempfile.mkdtemp(prefix="run-", dir=self.root)
        path = profile.write_ini(folder, full_profile())
        an_hour_ago = time.time() - 3600
        os.utime(path, (an_hour_ago, an_hour_ago))
        out = os.path.join(folder, "inspector.log")
        offset = os.path.getsize(self.log_path)
        watcher = self.wine(self.inspector, "shown-after", title, str(int(START_TIMEOUT)),
                            cwd=folder, out=out)
        poll("the inspector to watch", lambda: "waiting" in log_lines(out), START_TIMEOUT)
        proc = self.wine(exe, *args, cwd=folder)
        watcher.wait(timeout=START_TIMEOUT + 10)
        shown = [r for r in parse_records("\n".join(log_lines(out))) if r.kind == "shown"]
        time.sleep(0.5)
        self.wine(self.inspector, "close", title).wait(timeout=30)
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            kill_group(proc)
        time.sleep(0.5)
        if not shown:
            raise RuntimeError(f"{label}: the window was not seen")
        with open(self.log_path, "rb") as f:
            f.seek(offset)
            lines = f.read().decode("utf-8", "replace").splitlines()
        if self.args.keep_log:
            os.makedirs(self.args.keep_log, exist_ok=True)
            with open(os.path.join(self.args.keep_log, f"{label}.log"), "w") as f:
                f.write("\n".join(lines))
        run = Run(label)
        run.phases, run.others, run.opens = split(lines, proc.pid, watcher.pid, title)
        shutil.rmtree(folder, ignore_errors=True)
        return run

    def close(self):
        if self.server and self.server.poll() is None:
            subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True, timeout=30)
            try:
                self.server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                kill_group(self.server)
        self.xvfb.stop()
        shutil.rmtree(self.root, ignore_errors=True)


def report(program, baseline, top):
    width = 12
    print("requests to wineserver until the window shows, full aged gesture.ini")
    print("".ljust(24) + "".join(h.rjust(width) for h in ("program", "baseline", "difference")))

    def row(label, a, b):
        print(label.ljust(24) + "".join(v.rjust(width) for v in (f"{a}", f"{b}", f"{a - b:+d}")))
    for phase in PHASES:
        row(phase, sum(program.phases[phase].values()), sum(baseline.phases[phase].values()))
    row("all of its own", sum(sum(c.values()) for c in program.phases.values()),
        sum(sum(c.values()) for c in baseline.phases.values()))
    row("others meanwhile", sum(program.others.values()), sum(baseline.others.values()))
    row("opens of gesture.ini", program.opens, baseline.opens)
    for phase in PHASES + ("others",):
        a = program.others if phase == "others" else program.phases[phase]
        b = baseline.others if phase == "others" else baseline.phases[phase]
        diff = sorted(((a[n] - b[n], n) for n in set(a) | set(b) if a[n] != b[n]),
                      key=lambda d: (-abs(d[0]), d[1]))
        if diff:
            print(f"\n{phase}, by request (program - baseline):")
            for d, name in diff[:top]:
                print(f"  {d:+6d}  {name} ({a[name]} - {b[name]})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build/mingw", help="the mingw build folder")
    parser.add_argument("--exe", help="another vetrix.exe (Zorv.dll beside it)")
    parser.add_argument("--prefix", help="the Wine prefix (default <build>/wineprefix-trace)")
    parser.add_argument("--runs", type=int, default=2,
                        help="starts of each; the last is reported, the others warm up")
    parser.add_argument("--top", type=int, default=12, help="request names shown per phase")
    parser.add_argument("--styled", action="store_true",
                        help="the baseline with the program's manifest (version 6 controls)")
    parser.add_argument("--keep-log", help="a folder for each start's part of the server log")
    args = parser.parse_args()
    tracer = Tracer(args)
    try:
        tracer.start_server()
        program = baseline = None
        for i in range(args.runs):
            program = tracer.one_start(f"program-{i}", tracer.exe, [], TITLE)
            baseline = tracer.one_start(f"baseline-{i}", tracer.baseline, ["read"],
                                        "controls window")
        print(f"vetrix: {tracer.exe}\nbaseline: {tracer.baseline} read")
        report(program, baseline, args.top)
    finally:
        tracer.close()


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Measures vetrix.exe beside five baseline programs of tests/wine/programs under Wine, in one
run on a private Xvfb, and prints a table with ratios: idle CPU and wake-ups, the same while the
pointer moves, RSS, start-up time to the main window, file sizes. Nothing passes or fails.

After the mingw build, from the repository: python3 tests/wine/measure_under_wine.py (--help for
the options). docs/development.md, "The cost under Wine", says what each figure is.
"""

import argparse
import math
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

# The Wine tests' harness, beside this file, starts and watches the programs here too.
from harness import profile
from harness.inspector import TITLE, WAITING, parse_records
from harness.processes import kill_group, log_lines
from harness.session import WINE_ENV, Config, Session, programs_folder
from harness.waiting import START_TIMEOUT, poll

TICKS = os.sysconf("SC_CLK_TCK")
# Out of every window's way, and never moved while measuring idle figures.
POINTER_REST = (1000, 20)
# The moving phase's path: a circle inside the empty window (at 100, 100, 596 x 406), clockwise
# on the screen, one turn a second at 100 moves a second, 7.5 pixels apart.
CIRCLE_CENTRE, CIRCLE_RADIUS, MOVES_PER_TURN = (398, 303), 120, 100
MOVE_INTERVAL_S = 0.01


class Program:
    def __init__(self, key, label, exe, title, files, ini=None, tray_hides=False, moves=False,
                 args=()):
        self.key, self.label, self.exe, self.title = key, label, exe, title
        self.args = list(args)
        self.files = files  # what it ships, for the size
        self.ini = ini  # sections of gesture.ini, or None for no file
        self.tray_hides = tray_hides
        self.moves = moves  # measured while the pointer moves too
        self.startups, self.from_launch, self.busy_before = [], [], []
        self.idle = None
        self.moving = []  # one Usage per run
        self.moves_sent = None  # the rate xdotool kept
        self.rss = self.anon = None
        self.modules = []
        self.mappings = {}


def full_profile():
    """101 gestures of 101 strokes, an action for each, 100 saved command lines."""
    count = 101
    main = {"Num": count}
    for i in range(count):
        # Angles are recorded in 30-degree steps; each gesture its own sequence.
        main[str(i + 1)] = "".join(f"{(i + k) % 12 * 30} " for k in range(101))
    for i in range(count):
        main[f"a{i}"] = (f"C:\\Program Files\\Tool {i}\\tool{i}.exe /open" if i % 2
                         else f"*Окно {i};/mx;+ctrl;*s;-ctrl;")
    messages = {"NumOfMessages": 100}
    messages.update((str(i + 1), f"Команда {i + 1};max") for i in range(100))
    return {"Main": main, "Messages": messages}


def with_program_sections(sections, programs):
    """The full profile with per-program actions: programs sections of ten actions each."""
    sections = dict(sections)
    for p in range(programs):
        sections[f"Program:tool{p}.exe"] = {f"a{(p + k) % 101}": "" if k == 9 else
                                            f"*Окно {k};+ctrl;*w;-ctrl;" for k in range(10)}
    return sections


# --- /proc -------------------------------------------------------------------------------

def _read(path, mode="r"):
    with open(path, mode) as f:
        return f.read()


def pids_on_display(display):
    """Processes whose environment names this display, with their command lines."""
    mine = f"DISPLAY={display}".encode()
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if mine in _read(f"/proc/{pid}/environ", "rb").split(b"\0"):
                found[int(pid)] = _read(f"/proc/{pid}/cmdline", "rb").replace(b"\0", b" ")
        except OSError:
            pass
    return found


def find_program(display, exe):
    """The Wine process running the .exe (other tests may run Wine too, never on this Xvfb)."""
    name = os.path.basename(exe).lower().encode()
    found = [pid for pid, cmd in pids_on_display(display).items()
             if name in cmd.lower() and b"inspector" not in cmd.lower()]
    return found[0] if len(found) == 1 else None


def find_wineserver(prefix):
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            cmd = _read(f"/proc/{pid}/cmdline", "rb").split(b"\0")
            if not os.path.basename(cmd[0]).startswith(b"wineserver"):
                continue
            env = _read(f"/proc/{pid}/environ", "rb").split(b"\0")
            if f"WINEPREFIX={prefix}".encode() in env:
                return int(pid)
        except OSError:
            pass
    return None


def cpu_ticks(pid):
    # utime and stime follow the command name, which may hold blanks and parentheses.
    fields = _read(f"/proc/{pid}/stat").rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def switches(pid):
    """Context switches so far of each thread, by thread id."""
    counts = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            counts[tid] = sum(int(line.split()[1])
                              for line in _read(f"/proc/{pid}/task/{tid}/status").splitlines()
                              if line.startswith(("voluntary_ctxt_switches",
                                                  "nonvoluntary_ctxt_switches")))
        except OSError:
            pass  # a thread that ended
    return counts


def status_kib(pid, key):
    for line in _read(f"/proc/{pid}/status").splitlines():
        if line.startswith(key + ":"):
            return int(line.split()[1])
    return 0


def machine_busy():
    """(busy, total) jiffies of all cores, for the load around a measurement."""
    values = [int(v) for v in _read("/proc/stat").splitlines()[0].split()[1:]]
    idle = values[3] + values[4]
    return sum(values) - idle, sum(values)


class Calm:
    """Waits for a half second in which the machine's cores are busy under `limit` percent in
    all (other engineers share it), spending at most `patience` seconds over the whole run."""

    def __init__(self, limit, patience):
        self.limit, self.left = limit, patience

    def wait(self):
        """The last half second's busy percentage."""
        began = time.monotonic()
        while True:
            busy0, total0 = machine_busy()
            time.sleep(0.5)
            busy1, total1 = machine_busy()
            busy = 100.0 * (busy1 - busy0) / max(1, total1 - total0)
            if busy < self.limit or time.monotonic() - began >= self.left:
                self.left = max(0.0, self.left - (time.monotonic() - began))
                return busy
            time.sleep(1.0)


def rss_by_mapping(pid):
    """Resident KiB of each mapped file (anonymous memory under its bracketed name or
    "[anonymous]")."""
    sizes, name = {}, None
    for line in _read(f"/proc/{pid}/smaps").splitlines():
        parts = line.split()
        if not parts[0].endswith(":"):
            name = parts[5] if len(parts) > 5 else "[anonymous]"
        elif parts[0] == "Rss:":
            sizes[name] = sizes.get(name, 0) + int(parts[1])
    return sizes


class Usage:
    """CPU and wake-ups of the program, wineserver, the rest of Wine on the display and the X
    server while `during` runs (it returns when the window of time is over)."""

    def __init__(self, program_pid, server_pid, xvfb_pid, display, during):
        others = [p for p in pids_on_display(display) if p not in (program_pid, server_pid)]
        groups = {"program": [program_pid], "wineserver": [server_pid], "rest": others,
                  "x": [xvfb_pid]}
        before = {k: self._sample(v) for k, v in groups.items()}
        busy0, total0 = machine_busy()
        began = time.monotonic()
        during()
        elapsed = self.seconds = time.monotonic() - began
        after = {k: self._sample(v) for k, v in groups.items()}
        busy1, total1 = machine_busy()
        self.cpu, self.wakeups = {}, {}
        for key, pids in groups.items():
            common = [p for p in pids if p in before[key] and p in after[key]]
            ticks = sum(after[key][p][0] - before[key][p][0] for p in common)
            # A thread that ended takes its count along; one that began counts from 0.
            woken = sum(n - before[key][p][1].get(tid, 0)
                        for p in common for tid, n in after[key][p][1].items())
            self.cpu[key] = 100.0 * ticks / TICKS / elapsed
            self.wakeups[key] = woken / elapsed
        self.rest_names = sorted({os.path.basename(pids_on_display(display).get(p, b"?")
                                                   .split(b" ")[0].replace(b"\\", b"/"))
                                  .decode(errors="replace") for p in others})
        self.machine = 100.0 * (busy1 - busy0) / max(1, total1 - total0)
        self.load = os.getloadavg()[0]

    @staticmethod
    def median(usages, figure, key):
        return statistics.median(getattr(u, figure)[key] for u in usages)

    @staticmethod
    def _sample(pids):
        out = {}
        for pid in pids:
            try:
                out[pid] = (cpu_ticks(pid), switches(pid))
            except OSError:
                pass
        return out


# --- the run -------------------------------------------------------------------------------

class Bench:
    def __init__(self, args):
        build = os.path.abspath(args.build)
        tools = programs_folder(build)
        exe = os.path.abspath(args.exe or os.path.join(build, "vetrix.exe"))
        zorv = os.path.join(os.path.dirname(exe), "Zorv.dll")
        self.prefix = os.path.abspath(args.prefix or os.path.join(build, "wineprefix-bench"))
        wine_env = WINE_ENV
        inspector = os.path.join(tools, "inspector.exe")
        empty = os.path.join(tools, "empty_window.exe")
        tray = os.path.join(tools, "tray_utility.exe")
        controls = os.path.join(tools, "controls_window.exe")
        styled = os.path.join(tools, "controls_window_styled.exe")
        before = os.path.abspath(args.before) if args.before else None
        needed = [exe, zorv, inspector, empty, tray, controls, styled, wine_env]
        if before:
            needed += [before, os.path.join(os.path.dirname(before), "Zorv.dll")]
        for path in needed:
            if not os.path.isfile(path):
                sys.exit(f"measure: {path} is missing; build the mingw preset first")
        self.args = args
        self.config = Config(exe, inspector, self.prefix, wine_env)
        self.programs = [
            Program("none", "vetrix, no ini", exe, TITLE, [exe, zorv], tray_hides=True),
            Program("full", "vetrix, full ini", exe, TITLE, [exe, zorv], full_profile(),
                    tray_hides=True, moves=True),
        ]
        if args.program_sections:
            self.programs.append(
                Program("sections", f"vetrix, full ini + {args.program_sections} programs", exe,
                        TITLE, [exe, zorv],
                        with_program_sections(full_profile(), args.program_sections),
                        tray_hides=True, moves=True))
        if before:
            files = [before, os.path.join(os.path.dirname(before), "Zorv.dll")]
            self.programs += [
                Program("before none", "before, no ini", before, TITLE, files, tray_hides=True),
                Program("before full", "before, full ini", before, TITLE, files, full_profile(),
                        tray_hides=True, moves=True),
            ]
        self.programs += [
            Program("empty", "empty window", empty, "empty window", [empty], moves=True),
            Program("tray", "tray utility", tray, "tray utility", [tray]),
            Program("controls", "controls window", controls, "controls window", [controls]),
            Program("styled", "controls, styled", styled, "controls window", [styled]),
            Program("reading", "controls, reading", controls, "controls window", [controls],
                    full_profile(), args=["read"]),
        ]
        self.session = None
        self.server = None
        self.calm = Calm(args.calm, args.patience)
        self.full_folder = None  # where every start with the full file runs

    def run(self):
        self.load_before = os.getloadavg()
        self.session = Session(self.config)
        try:
            self._persistent_server()
            self.session.xdotool("mousemove", *map(str, POINTER_REST))
            for round_ in range(self.args.warmup + self.args.starts):
                counted = round_ >= self.args.warmup
                last = round_ == self.args.warmup + self.args.starts - 1
                for program in self.programs:
                    self._one_start(program, counted, keep=last)
                    print(".", end="", file=sys.stderr, flush=True)
            print(file=sys.stderr)
        finally:
            self.session.close()
        self.load_after = os.getloadavg()

    def _persistent_server(self):
        # Between two starts no program of ours is alive; a persistent server keeps the desktop
        # and services up, so every start is as warm as the first.
        env = self.session.env
        quiet = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL, "timeout": 30}
        subprocess.run(["wineserver", "-k"], env=env, **quiet)
        subprocess.run(["wineserver", "-w"], env=env, **quiet)
        # It goes into the background by itself, holding no pipe of ours.
        subprocess.run(["wineserver", "-p"], env=env, **quiet)
        self.session.inspect("windows")
        self.server = poll("the prefix's wineserver", lambda: find_wineserver(self.prefix))

    def _one_start(self, program, counted, keep):
        # The same folder for the same file: a path of another length is another read.
        if program.ini and not self.full_folder:
            self.full_folder = tempfile.mkdtemp(prefix="run-", dir=self.session.root)
        folder = self.full_folder if program.ini else tempfile.mkdtemp(prefix="run-",
                                                                       dir=self.session.root)
        busy = self.calm.wait()
        for attempt in range(3):
            self._prepare_folder(program, folder)
            watcher, out = self._start_watcher(program, folder)
            launched = time.time()
            proc = self.session.run_wine(program.exe, *program.args, cwd=folder,
                                         log_path=os.path.join(folder, "program.log"))
            try:
                watcher.wait(timeout=START_TIMEOUT + 10)
            except subprocess.TimeoutExpired:
                kill_group(watcher)
            shown = [r for r in parse_records("\n".join(log_lines(out))) if r.kind == "shown"]
            if shown:
                break
            # Wine now and then fails to start a program silently; start it again.
            self._close(program, proc)
            if attempt == 2:
                raise RuntimeError(f"{program.label}: no window seen; inspector: "
                                   f"{log_lines(out)}; program: {_tail(folder)}")
        record = shown[0]
        if counted:
            program.startups.append(float(record["ms"]))
            program.from_launch.append(float(record["seen"]) - 1000.0 * launched)
            program.busy_before.append(busy)
        if keep:
            self._measure_idle(program, proc, record["pid"])
        self._close(program, proc)
        if folder != self.full_folder:
            shutil.rmtree(folder, ignore_errors=True)
        time.sleep(0.5)  # the desktop's work after a program left

    @staticmethod
    def _prepare_folder(program, folder):
        # A failed attempt's program may have written the file when it was closed.
        for name in profile.ini_files(folder):
            os.remove(os.path.join(folder, name))
        if program.ini:
            path = profile.write_ini(folder, program.ini)
            # As a file from an earlier session: Wine reparses a profile file on every read
            # while its last write is under 2 s old.
            an_hour_ago = time.time() - 3600
            os.utime(path, (an_hour_ago, an_hour_ago))

    def _start_watcher(self, program, folder):
        out = os.path.join(folder, "inspector.log")
        for _ in range(3):
            # A failed attempt's "waiting" must not stand for this one's.
            if os.path.exists(out):
                os.remove(out)
            watcher = self.session.run_wine(self.config.inspector, "shown-after", program.title,
                                            str(int(START_TIMEOUT)), cwd=folder, log_path=out)
            try:
                poll("the inspector to watch", lambda: "waiting" in log_lines(out)
                     or watcher.poll() is not None, START_TIMEOUT)
            except AssertionError:
                kill_group(watcher)
                continue
            if "waiting" in log_lines(out):
                return watcher, out
        raise RuntimeError(f"the inspector did not start: {log_lines(out)}")

    def _measure_idle(self, program, proc, windows_pid):
        display = self.session.xvfb.display
        if program.tray_hides:
            self.session.program = proc
            self.session.wait_dump(
                f'the window hidden in the tray with the start button reading "{WAITING}"',
                lambda d: not d.window.flag("visible") and d.find("Button", WAITING),
                timeout=START_TIMEOUT)
        pid = poll(f"the Linux process of {program.label}",
                   lambda: find_program(display, program.exe))
        time.sleep(self.args.settle)
        self.calm.wait()
        xvfb = self.session.xvfb.proc.pid
        program.idle = Usage(pid, self.server, xvfb, display,
                             lambda: time.sleep(self.args.idle))
        program.rss = status_kib(pid, "VmRSS")
        program.anon = status_kib(pid, "RssAnon")
        program.mappings = rss_by_mapping(pid)
        program.modules = [(r["name"], int(r["size"]))
                           for r in self.session.records("modules", windows_pid)
                           if r.kind == "module"]
        if program.moves:
            for _ in range(self.args.moving_runs):
                self.calm.wait()
                usage = Usage(pid, self.server, xvfb, display, self._circle)
                program.moving.append(usage)
                program.moves_sent = round(self.args.moving / MOVE_INTERVAL_S) / usage.seconds
                self.session.xdotool("mousemove", *map(str, POINTER_REST))
                time.sleep(1.0)  # recognition comes to rest
        if proc.poll() is not None:
            raise RuntimeError(f"{program.label} ended while measured")

    def _circle(self):
        """Drives the pointer round the circle for the moving window, in one xdotool call."""
        count = round(self.args.moving / MOVE_INTERVAL_S)
        args = []
        for i in range(count + 1):
            angle = 2 * math.pi * i / MOVES_PER_TURN
            x = CIRCLE_CENTRE[0] + round(CIRCLE_RADIUS * math.cos(angle))
            y = CIRCLE_CENTRE[1] + round(CIRCLE_RADIUS * math.sin(angle))
            args += ["mousemove", str(x), str(y), "sleep", str(MOVE_INTERVAL_S)]
        self.session.xdotool(*args)

    def _close(self, program, proc):
        if proc.poll() is None:
            self.session.inspect("close", program.title, check=False)
            try:
                proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        kill_group(proc)
        self.session.program = None


def _tail(folder):
    return log_lines(os.path.join(folder, "program.log"))[-5:]


# --- the report ----------------------------------------------------------------------------

def report(bench):
    programs = bench.programs
    by = {p.key: p for p in programs}
    exe = by["none"].exe
    print(f"vetrix: {exe}")
    if "before none" in by:
        print(f"before: {by['before none'].exe}")
    pinned = "" if bench.args.cpu is None else f", Wine pinned to core {bench.args.cpu}"
    print(f"load average (1 min) before {bench.load_before[0]:.2f}, after "
          f"{bench.load_after[0]:.2f}; {os.cpu_count()} cores{pinned}")
    width = 17

    def row(label, values, fmt="{:.2f}", among=programs):
        cells = [(fmt.format(v) if v is not None else "-").rjust(width) for v in values]
        print(label.ljust(34) + "".join(cells))

    def header(among):
        print("".ljust(34) + "".join(p.label.rjust(width) for p in among))

    print()
    header(programs)
    row("idle CPU, program, % of a core", [p.idle.cpu["program"] for p in programs])
    row("idle CPU, wineserver", [p.idle.cpu["wineserver"] for p in programs])
    row("idle CPU, program + wineserver", [p.idle.cpu["program"] + p.idle.cpu["wineserver"]
                                           for p in programs])
    row("idle CPU, rest of Wine", [p.idle.cpu["rest"] for p in programs])
    row("idle CPU, X server", [p.idle.cpu["x"] for p in programs])
    row("wake-ups/s, program", [p.idle.wakeups["program"] for p in programs], "{:.1f}")
    row("wake-ups/s, wineserver", [p.idle.wakeups["wineserver"] for p in programs], "{:.1f}")
    row("wake-ups/s, rest of Wine", [p.idle.wakeups["rest"] for p in programs], "{:.1f}")
    row("wake-ups/s, X server", [p.idle.wakeups["x"] for p in programs], "{:.1f}")
    row("RSS, MiB", [p.rss / 1024 for p in programs])
    row("  of it anonymous, MiB", [p.anon / 1024 for p in programs])
    row(f"start-up ms, median of {len(programs[0].startups)}",
        [statistics.median(p.startups) for p in programs], "{:.0f}")
    print("  min .. max".ljust(34) + "".join(
        f"{min(p.startups):.0f} .. {max(p.startups):.0f}".rjust(width) for p in programs))
    row("  from `wine` launched, median", [statistics.median(p.from_launch) for p in programs],
        "{:.0f}")
    row("file size, KiB", [sum(os.path.getsize(f) for f in p.files) / 1024 for p in programs],
        "{:.1f}")
    row("machine busy before starts, max %", [max(p.busy_before) for p in programs], "{:.0f}")
    row("machine busy while idle, %", [p.idle.machine for p in programs], "{:.0f}")
    row("load average then", [p.idle.load for p in programs])

    moving = [p for p in programs if p.moving]
    if moving:
        runs = len(moving[0].moving)
        print()
        print(f"while the pointer moves (median of {runs} runs of "
              f"{bench.args.moving:.0f} s; vetrix hidden, recognising):")
        header(moving)

        def median(p, figure, key):
            return Usage.median(p.moving, figure, key)
        row("moves/s sent", [p.moves_sent for p in moving], "{:.0f}")
        row("CPU, program, % of a core", [median(p, "cpu", "program") for p in moving])
        row("CPU, wineserver", [median(p, "cpu", "wineserver") for p in moving])
        row("CPU, program + wineserver", [statistics.median(
            u.cpu["program"] + u.cpu["wineserver"] for u in p.moving) for p in moving])
        row("CPU, rest of Wine", [median(p, "cpu", "rest") for p in moving])
        row("CPU, X server", [median(p, "cpu", "x") for p in moving])
        row("wake-ups/s, program", [median(p, "wakeups", "program") for p in moving], "{:.0f}")
        row("wake-ups/s, wineserver", [median(p, "wakeups", "wineserver") for p in moving],
            "{:.0f}")
        row("machine busy, % (median)",
            [statistics.median(u.machine for u in p.moving) for p in moving], "{:.0f}")
        print("  runs, program + wineserver CPU".ljust(34) + "".join(
            " ".join(f"{u.cpu['program'] + u.cpu['wineserver']:.1f}" for u in p.moving)
            .rjust(width) for p in moving))
    print()

    def idle_cpu(p):
        return p.idle.cpu["program"] + p.idle.cpu["wineserver"]

    def moving_cpu(p):
        return statistics.median(u.cpu["program"] + u.cpu["wineserver"] for u in p.moving)
    empty, tray, controls, styled = by["empty"], by["tray"], by["controls"], by["styled"]
    reading = by["reading"]
    for key in ("none", "full", "sections", "before none", "before full"):
        if key not in by:
            continue
        v = by[key]
        print(f"{v.label}:")
        print(f"  wake-ups/s minus the empty window's:       "
              f"{v.idle.wakeups['program'] - empty.idle.wakeups['program']:+.1f} (program), "
              f"{v.idle.wakeups['wineserver'] - empty.idle.wakeups['wineserver']:+.1f} (wineserver)")
        print(f"  idle CPU minus the empty window's:         "
              f"{idle_cpu(v) - idle_cpu(empty):+.2f} points of a core (program + wineserver)")
        if v.moving and empty.moving:
            wakeups = Usage.median(v.moving, "wakeups", "program")
            print(f"  moving CPU minus the empty window's:       "
                  f"{moving_cpu(v) - moving_cpu(empty):+.2f} points of a core "
                  f"(program + wineserver)")
            print(f"  moving wake-ups / the empty window's:      "
                  f"{wakeups / Usage.median(empty.moving, 'wakeups', 'program'):.2f} (program)")
        print(f"  RSS / tray utility's:                      {v.rss / tray.rss:.2f}")
        print(f"  start-up / tray utility's:                 "
              f"{statistics.median(v.startups) / statistics.median(tray.startups):.2f}")
        print(f"  start-up / controls window's:              "
              f"{statistics.median(v.startups) / statistics.median(controls.startups):.2f}")
        print(f"  start-up / styled controls window's:       "
              f"{statistics.median(v.startups) / statistics.median(styled.startups):.2f}")
        if v.ini:
            print(f"  start-up / reading controls window's:      "
                  f"{statistics.median(v.startups) / statistics.median(reading.startups):.2f}")
    if bench.args.details:
        details(by)


def details(by):
    """Where the memory goes: modules and resident mappings the program has beyond the tray
    utility."""
    vetrix, tray = by["none"], by["tray"]
    ours = {n.lower(): s for n, s in vetrix.modules}
    theirs = {n.lower(): s for n, s in tray.modules}
    print()
    print("modules vetrix loads that the tray utility does not (image size, KiB):")
    for name in sorted(set(ours) - set(theirs)):
        print(f"  {name:28} {ours[name] / 1024:8.0f}")
    only_tray = sorted(set(theirs) - set(ours))
    if only_tray:
        print("modules only the tray utility loads: " + ", ".join(only_tray))
    print(f"modules: vetrix {len(ours)}, tray utility {len(theirs)}")
    print()
    print("resident KiB by mapping, the largest differences (vetrix, no ini - tray utility):")
    names = set(vetrix.mappings) | set(tray.mappings)
    diffs = sorted(((vetrix.mappings.get(n, 0) - tray.mappings.get(n, 0), n) for n in names),
                   reverse=True)
    for diff, name in diffs[:15]:
        print(f"  {diff:+7d}  {vetrix.mappings.get(name, 0):7d} {tray.mappings.get(name, 0):7d}  "
              f"{os.path.basename(name) if name.startswith('/') else name}")
    print("rest of Wine while idle: " + ", ".join(vetrix.idle.rest_names))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build/mingw",
                        help="the mingw build folder (tools, default vetrix.exe)")
    parser.add_argument("--exe", help="another vetrix.exe (Zorv.dll beside it)")
    parser.add_argument("--before", help="a second vetrix.exe (Zorv.dll beside it) measured the "
                                         "same way in the same run, its starts interleaved")
    parser.add_argument("--prefix", help="the Wine prefix (default <build>/wineprefix-bench)")
    parser.add_argument("--starts", type=int, default=5, help="timed starts of each program")
    parser.add_argument("--program-sections", type=int, default=0, metavar="N",
                        help="also measure the full ini with N per-program sections")
    parser.add_argument("--warmup", type=int, default=1, help="untimed starts first")
    parser.add_argument("--settle", type=float, default=3.0, help="seconds before the idle window")
    parser.add_argument("--idle", type=float, default=10.0, help="seconds of the idle window")
    parser.add_argument("--moving", type=float, default=10.0,
                        help="seconds of each window with the pointer moving")
    parser.add_argument("--moving-runs", type=int, default=3,
                        help="moving windows of each program measured so")
    parser.add_argument("--calm", type=float, default=20.0,
                        help="before each start and idle window, wait for the machine's cores to "
                             "be busy under this percentage in all")
    parser.add_argument("--patience", type=float, default=180.0,
                        help="seconds to wait for that at most, over the whole run")
    parser.add_argument("--cpu", type=int,
                        help="run Xvfb and Wine on this core only: under a VM a wake-up across "
                             "cores can cost tens of microseconds, which start-up pays thousands "
                             "of times")
    parser.add_argument("--details", action="store_true",
                        help="also list modules and resident mappings beyond the tray utility's")
    args = parser.parse_args()
    # Interrupted, the session still stops its Xvfb and wineserver.
    signal.signal(signal.SIGTERM, lambda signum, _: sys.exit(128 + signum))
    if args.cpu is not None:
        # Inherited by everything started from here on.
        os.sched_setaffinity(0, {args.cpu})
    bench = Bench(args)
    bench.run()
    report(bench)


if __name__ == "__main__":
    main()

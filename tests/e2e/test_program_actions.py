"""Gestures that know the program: one gesture, drawn while different programs are in front,
runs each program's own action; an empty one fires nothing there and the gesture's own action
elsewhere. Deleting a gesture through the window moves the programs' keys down with it.

The programs are trigger_window.exe under three names, each in front in turn."""

import os
import shutil

from harness import pointer, profile
from harness.inspector import WAITING
from harness.processes import log_lines
from harness.session import main, wine_path
from harness.waiting import poll
import shell_steps
import trigger_steps
from trigger_steps import GESTURE

# Clear of where the gesture is drawn; the program's own window is hidden.
TARGET_RECT = ("0", "0", "200", "700")
START_POINT = (300, 300)


class ProgramActions(trigger_steps.TriggerTest):
    def mark_actions(self, *names):
        """One batch file per name, each appending its name to marks.txt; their paths."""
        folder = self.session.folder
        self.marks_path = os.path.join(folder, "marks.txt")
        actions = {}
        for name in names:
            bat = os.path.join(folder, f"{name}.bat")
            with open(bat, "w", newline="\r\n") as f:
                f.write(f'@echo {name}>>"{wine_path(self.marks_path)}"\n')
            actions[name] = wine_path(bat)
        return actions

    def in_front(self, name):
        """trigger_window, copied as `name`, started and in front."""
        folder = os.path.join(self.session.root, name)
        os.makedirs(folder, exist_ok=True)
        exe = os.path.join(folder, name)
        shutil.copy(trigger_steps.tool_path(self.session), exe)
        proc = self.session.run_wine(exe, "window", *TARGET_RECT, cwd=folder,
                                     log_path=os.path.join(folder, "out.txt"))
        self.addCleanup(trigger_steps.kill_group, proc)
        tool = trigger_steps.Tool(proc, folder)
        tool.wait(f"{name} in front", lambda line: line == "ready fg=1")
        return tool

    def draw_and_expect(self, marks):
        self.draw(START_POINT)
        poll(f"the marks {marks}, every action ended",
             lambda: not self._actions_running() and log_lines(self.marks_path) == marks,
             describe=lambda _: repr(log_lines(self.marks_path)))

    def test_each_program_in_front_runs_its_own_action(self):
        act = self.mark_actions("default", "first", "second")
        profile.write_ini(self.session.folder, {
            "Main": {"Num": 1, "1": GESTURE, "a0": act["default"]},
            "Program:first_window.exe": {"a0": act["first"]},
            "Program:C:\\Tools\\SECOND_WINDOW.EXE": {"a0": act["second"]},
            "Program:quiet_window.exe": {"a0": ""},
        })
        self.session.start()
        self.wait_hidden(WAITING)

        first = self.in_front("first_window.exe")
        self.draw_and_expect(["first"])
        self.session.inspect("close", "trigger window")
        first.proc.wait(timeout=10)

        second = self.in_front("second_window.exe")
        self.draw_and_expect(["first", "second"])
        self.session.inspect("close", "trigger window")
        second.proc.wait(timeout=10)

        # Nothing in this program; once it has gone, the gesture's own action, once.
        quiet = self.in_front("quiet_window.exe")
        self.draw(START_POINT)
        self.session.inspect("close", "trigger window")
        quiet.proc.wait(timeout=10)
        self.draw_and_expect(["first", "second", "default"])

    def test_deleting_a_gesture_moves_the_programs_keys_down(self):
        s = self.session
        # Hot-key mode: nothing is recognised while the pointer goes to the controls.
        profile.write_ini(s.folder, {
            "Main": {"HK": "yes", "Num": 3, "1": "0 180 0 180 0", "2": "90 270 90 270 90",
                     "3": "30 210 30 210 30", "a0": "*A;", "a1": "*B;", "a2": "*C;"},
            "Program:first_window.exe": {"a0": "*A1;", "a2": "*C1;"},
            "Program:second_window.exe": {"a1": ""},
        })
        shell_steps.start_hidden(s)
        c = shell_steps.labelled(s.show_from_tray())
        list1 = c["ListBox 1"]
        s.click_at(*pointer.row_point(list1, 0))
        s.wait_dump("row 0 of the first list selected", lambda d: d.selected_rows(list1) == [0])
        s.click_centre(c["Удалить 1"])
        s.wait_dump("the gesture's rows gone", lambda d: len(d.rows(list1)) == 2)
        # The file is written in the same handler, the programs' keys last.
        expected = {
            "main": {"hk": "yes", "num": "2", "1": "90 270 90 270 90", "2": "30 210 30 210 30",
                     "a0": "*B;", "a1": "*C;"},
            "program:first_window.exe": {"a1": "*C1;"},
            "program:second_window.exe": {"a0": ""},
        }
        poll("every gesture's keys renumbered", lambda: profile.read_ini(s.folder) == expected,
             describe=lambda _: repr(profile.read_ini(s.folder)))

if __name__ == "__main__":
    main()

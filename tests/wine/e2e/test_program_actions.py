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
import capture_steps
import shell_steps
import trigger_steps
from trigger_steps import GESTURE, TARGET_RECT

# Clear of the target window; the program's own window is hidden.
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

    def test_the_window_adds_changes_and_removes_a_programs_action(self):
        s = self.session
        mark = self.mark_actions("file")["file"]
        # Binding writes beside the program: a copy of its own keeps that out of the build.
        beside = capture_steps.run_from_private_copy(s)
        # A section of another program: the action list's menu offers the window.
        profile.write_ini(s.folder, {
            "Main": {"HK": "yes", "Num": 1, "1": GESTURE, "a0": "*A;"},
            "Program:other.exe": {"a0": "*O;"},
        })
        shell_steps.start_hidden(s)
        self.in_front("first_window.exe")
        c = shell_steps.labelled(s.show_from_tray())
        actions = c["ListBox 2"]
        # The command that "Команда" will take, typed into the main window's box.
        shell_steps.type_into(s, c["ComboBox edit"], "Mark;*m;")

        s.click_at(*pointer.row_point(actions, 0))
        s.wait_dump("row 0 of the action list selected", lambda d: d.selected_rows(actions) == [0])
        s.click_at(*pointer.row_point(actions, 0), button=3)
        menu = s.wait_top_level("#32768")
        s.click_at(*shell_steps.menu_item_point(menu, 2, count=3))
        window = s.wait_top_level("VetrixDialog")
        title = "hwnd=" + window["hwnd"]
        d = shell_steps.labelled(s.dump(title))
        programs = d["ListBox"]

        def wait_rows(rows, ini):
            rows = ["other.exe: *O"] + rows
            s.wait_dump(f"the rows {rows}", lambda dump: dump.rows(programs) == rows, title=title)
            poll(f"the file holding {ini}",
                 lambda: profile.read_ini(beside).get("program:first_window.exe") == ini,
                 describe=lambda _: repr(profile.read_ini(beside)))

        # The running program, chosen with the arrow keys in the box's list.
        s.click_centre(d["ComboBox edit"])
        poll("first_window.exe in the box", lambda: (
            s.xdotool("key", "Down"),
            shell_steps.labelled(s.dump(title))["ComboBox"]["text"] == "first_window.exe")[1])
        s.click_centre(d["&Добавить"])
        wait_rows(["first_window.exe: ничего"], {"a0": ""})

        s.click_centre(d["&Команда"])
        wait_rows(["first_window.exe: *Mark"], {"a0": "*Mark;*m;"})

        s.click_centre(d["&Файл..."])
        dialog = s.wait_top_level("#32770")
        s.xdotool("type", "--delay", "5", mark)
        s.xdotool("key", "Return")
        poll("the file dialog gone", lambda: not [
            w for w in s.records("windows") if w["hwnd"] == dialog["hwnd"] and w.flag("visible")])
        wait_rows([f"first_window.exe: {mark}"], {"a0": mark})

        # The keyboard: Tab from the list to the buttons, Space presses "Ничего".
        s.click_at(*pointer.row_point(programs, 1))
        s.xdotool("key", "Tab", "Tab", "Tab", "space")
        wait_rows(["first_window.exe: ничего"], {"a0": ""})

        s.click_centre(d["&Удалить"])
        wait_rows([], {})
        # The file the program started with keeps its own.
        loaded = profile.read_ini(s.folder)
        self.assertEqual((loaded["main"]["a0"], loaded["program:other.exe"]), ("*A;", {"a0": "*O;"}))

        s.xdotool("key", "Escape")
        poll("Esc closing the window", lambda: not [
            w for w in s.records("windows") if w["hwnd"] == window["hwnd"] and w.flag("visible")])


if __name__ == "__main__":
    main()

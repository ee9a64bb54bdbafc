"""Editing through the window: deleting a gesture, adding and deleting saved command
lines, each written to gesture.ini at once; a file that cannot be written."""

from harness import pointer, profile
from harness.session import VetrixTest, main
from harness.waiting import UI_TIMEOUT
import capture_steps
import shell_steps as steps

# Hot-key mode: no recognition runs while the pointer goes from control to control.
PREPARED = {
    "Main": {
        "HK": "yes",
        "Num": "3",
        "1": "0 180 0 180 0",
        "2": "90 270 90 270 90",
        "3": "30 210 30 210 30",
        "a0": "*Один;min",
        "a1": "*Два;max",
    },
    "Messages": {"NumOfMessages": "3", "1": "one;min", "2": "Вторая;max", "3": "three;close"},
}


class Editing(VetrixTest):
    def test_gesture_and_saved_commands_are_renumbered_in_the_file(self):
        s = self.session
        profile.write_ini(s.folder, PREPARED)
        steps.start_hidden(s)
        c = steps.labelled(s.show_from_tray())
        list1 = c["ListBox 1"]
        s.click_at(*pointer.row_point(list1, 1))
        s.wait_dump("row 1 of the first list selected",
                    lambda d: d.selected_rows(list1) == [1])
        s.click_centre(c["Удалить 1"])
        dump = s.wait_dump("the gesture's rows gone", lambda d: len(d.rows(list1)) == 2)
        self.assertEqual((dump.rows(list1), dump.rows(c["ListBox 2"])),
                         (["0", "1"], ["*Один", ""]))
        self.assertEqual(dump.selected_rows(list1), [], "nothing selected in the first list")
        # The last gesture moves down; its missing action key comes along as an empty one.
        self.assertEqual(profile.read_ini(s.folder)["main"], {
            "hk": "yes", "num": "2", "1": "0 180 0 180 0", "2": "30 210 30 210 30",
            "a0": "*Один;min", "a1": ""})

        combo = c["ComboBox"]
        # Equal to line 1 but for the case of Latin letters: not added. The next addition
        # shows that this click has been handled.
        steps.type_into(s, combo, "ONE;MIN")
        s.click_centre(c["Добавить"])
        steps.type_into(s, combo, "four;min")
        s.click_centre(c["Добавить"])
        dump = s.wait_dump('"four;min" added', lambda d: "four;min" in d.rows(combo))
        self.assertEqual(dump.rows(combo), ["one;min", "Вторая;max", "three;close", "four;min"])
        self.assertEqual(profile.read_ini(s.folder)["messages"], {
            "numofmessages": "4", "1": "one;min", "2": "Вторая;max", "3": "three;close",
            "4": "four;min"})

        drop_down = steps.drop_down(s, combo)
        s.click_at(*pointer.row_point(drop_down, 1, border=1))
        s.wait_dump('"Вторая;max" chosen', lambda d: steps.combo_box(d)["text"] == "Вторая;max")
        s.click_centre(c["Удалить 2"])
        dump = s.wait_dump("a saved command gone", lambda d: len(d.rows(combo)) == 3)
        self.assertEqual((dump.rows(combo), steps.combo_box(dump)["text"]),
                         (["one;min", "three;close", "four;min"], ""))
        self.assertEqual(profile.read_ini(s.folder)["messages"], {
            "numofmessages": "3", "1": "one;min", "2": "three;close", "3": "four;min"})

    def test_unwritable_file_shows_the_error_and_changes_nothing(self):
        s = self.session
        # Binding writes beside the program: a copy of it in a folder of its own.
        program_folder = capture_steps.run_from_private_copy(s)
        path = profile.write_ini(s.folder, PREPARED)
        beside = profile.write_ini(program_folder, {"Main": {"Num": "0"}})
        # Made unwritable only now: start-up writes "HK" back.
        steps.start_hidden(s)
        files = {p: profile.make_unwritable(self, p) for p in (path, beside)}
        c = steps.labelled(s.show_from_tray())
        combo, actions = c["ComboBox"], c["ListBox 2"]
        before = s.dump()

        steps.type_into(s, combo, "four;min")
        s.click_centre(c["Добавить"])
        self.assertEqual(steps.dismiss_error(s), r"Unable to write to .\Gesture.ini")
        self.assertEqual(s.dump().rows(combo), before.rows(combo), "no new saved command")

        # The action list's menu, "Команда": the box's text would become row 0's action.
        steps.bind_command(s, actions, 0)
        self.assertEqual(steps.dismiss_error(s), r"Unable to write to .\Gesture.ini")
        self.assertEqual(s.dump().rows(actions), before.rows(actions), "no new binding")

        s.click_centre(c["Скрыть"])
        steps.wait_hidden(s, UI_TIMEOUT)
        s.assert_running()
        for p, content in files.items():
            with open(p, "rb") as f:
                self.assertEqual(f.read(), content, f"{p} is unchanged")

    def test_a_program_folder_the_code_page_cannot_name_still_gets_its_bindings(self):
        s = self.session
        program_folder = capture_steps.run_from_private_copy(s, "Jürgen")
        profile.write_ini(s.folder, PREPARED)
        steps.start_hidden(s)
        c = steps.labelled(s.show_from_tray())
        actions = c["ListBox 2"]
        steps.type_into(s, c["ComboBox"], "four;min")
        steps.bind_command(s, actions, 2)
        s.wait_dump("the binding shown in row 2", lambda d: d.rows(actions)[2] == "*four")
        self.assertEqual(profile.read_ini(program_folder), {"main": {"a2": "*four;min"}})


if __name__ == "__main__":
    main()

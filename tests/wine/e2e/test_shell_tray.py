"""The tray icon: a left press shows the window, "Скрыть" hides it, the menu's
"Выход" ends the program and writes the hot key and the scale."""


from harness import profile, screen
from harness.inspector import WAITING
from harness.session import VetrixTest, main
from harness.waiting import UI_TIMEOUT
import shell_steps as steps

EXIT = 1  # the tray menu's second item


class Tray(VetrixTest):
    def test_show_hide_and_exit_from_the_menu_saves_key_and_scale(self):
        s = self.session
        profile.write_ini(s.folder, {"Main": {"Scale": "12"},
                                     "Messages": {"NumOfMessages": "1", "1": "one;min"}})
        s.start()
        s.wait_activated()
        c = steps.labelled(s.show_from_tray())
        steps.type_into(s, c["Edit"], "25")
        s.click_centre(c["msctls_hotkey32"])
        s.xdotool("key", "ctrl+alt+F7")
        # Behind the keys in the input queue, so the field has them when the window is hidden.
        s.click_centre(c["Скрыть"])
        hidden = steps.wait_hidden(s, UI_TIMEOUT)
        self.assertEqual(steps.labelled(hidden)["Edit"]["text"], "25", "scale field")
        self.assertEqual(hidden.start_button()["text"], WAITING,
                         "hiding leaves recognition running")
        screen.wait_tray_picture(s, screen.QUESTION_MARK)

        s.show_from_tray()
        self.assertEqual(steps.quit_from_tray_menu(s), 0, "exit code")
        self.assertEqual(profile.read_ini(s.folder), {
            "main": {"scale": "25", "hotkey": "Ctrl+Alt+F7"},
            "messages": {"numofmessages": "1", "1": "one;min"}})

    # The hook library posts a message for every button press and release; its handler pumps
    # messages, and inside the menu's own loop that must not take the click away from the menu.
    def test_exit_clicked_with_the_mouse_ends_the_program(self):
        s = self.session
        s.start()
        s.wait_activated()
        menu = steps.open_tray_menu(s)
        self.assertFalse(s.wait_window(visible=None).flag("visible"),
                         "a right press opens the menu without showing the window")
        s.click_at(*steps.menu_item_point(menu, EXIT))
        self.assertEqual(steps.wait_exit(s, timeout=3), 0, "exit code")
        self.assertEqual(profile.read_ini(s.folder), {"main": {"hotkey": "", "scale": "15"}},
                         "an empty hot-key field is written as an empty value")


if __name__ == "__main__":
    main()

"""Start-up from gesture.ini: what the window and the tray show, and the close box
writing the hot key and the scale back."""

import re

from harness import pointer, profile, screen
from harness.display import SCREEN
from harness.inspector import START, WAITING
from harness.session import VetrixTest, main
import shell_steps as steps


class Startup(VetrixTest):
    def test_without_file_hides_to_tray_with_recognition_running(self):
        s = self.session
        s.start()
        hidden = s.wait_activated()
        left, top, width, height = hidden.window.rect()
        self.assertEqual((left, top), ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2),
                         "placed at the centre by its first showing")
        screen.wait_tray_picture(s, screen.QUESTION_MARK)

        button = s.show_from_tray().start_button()
        self.assertEqual(button["text"], WAITING)
        s.click_centre(button)
        s.wait_caption(START)
        screen.wait_tray_picture(s, screen.OWN_ICON)
        self.assertEqual(profile.ini_files(s.folder), [],
                         "nothing was changed, so nothing is written")

    def test_no_taskbar_entry_before_the_window_is_shown(self):
        s = self.session
        # A broken angle list: start-up stops at an error box before the window is first shown.
        profile.write_ini(s.folder, {"Main": {"Num": "1", "1": "0 x"}})
        s.start()
        box, text = steps.wait_error_box(s)
        self.assertEqual(text, "'x' is not a valid integer value")
        entries = [w for w in s.records("windows")
                   if w["class"] == "VetrixApplication" and w.flag("visible")]
        self.assertEqual(entries, [], "the taskbar entry exists only with the window")
        s.inspect("click", "hwnd=" + box["hwnd"], "OK")
        s.wait_activated()

    def test_prepared_file_fills_the_window_and_the_close_box_saves_key_and_scale(self):
        s = self.session
        profile.write_ini(s.folder, steps.PREPARED)
        steps.start_hidden(s)
        dump = s.show_from_tray()
        c = steps.labelled(dump)
        self.assertEqual(dump.rows(c["ListBox 1"]), ["0", "1", "2"])
        self.assertEqual(dump.rows(c["ListBox 2"]), ["*Окно", r"C:\tools\run.bat", ""])
        combo = steps.combo_box(dump)
        self.assertEqual((dump.rows(combo), combo["text"]), (["Первая;max", "second;close"], ""))
        checks = {name: c[name]["checked"] for name in (
            "Горячая клавиша", "Точная запись", "Использовать кнопки мыши",
            "Левая", "Средняя", "Правая")}
        self.assertEqual(checks, {"Горячая клавиша": "1", "Точная запись": "1",
                                  "Использовать кнопки мыши": "0",
                                  "Левая": "0", "Средняя": "0", "Правая": "1"})
        self.assertEqual(c["Edit"]["text"], "20", "scale field")
        # Hot-key mode: nothing runs until the key that the field holds is pressed.
        self.assertEqual(dump.start_button()["text"], START)
        for caption in (WAITING, START):
            s.xdotool("key", "ctrl+alt+F5")
            s.wait_caption(caption, " after Ctrl+Alt+F5")

        # Taken out, so that only the closing can put them back.
        on_disk = profile.read_ini(s.folder)
        del on_disk["main"]["hotkey"], on_disk["main"]["scale"]
        profile.write_ini(s.folder, on_disk)
        s.click_at(*steps.close_box_point(dump.window))
        self.assertEqual(steps.wait_exit(s), 0, "exit code")
        expected = profile.lower_keys(steps.PREPARED)
        self.assertEqual(profile.read_ini(s.folder), expected)

    def test_a_hand_edited_file_loads_and_renumbers_as_the_system_reads_it(self):
        s = self.session
        # Written by hand: a section named in another case and then twice, a key twice, quotes,
        # blanks around "=", a line without "=", LF line ends.
        text = "\n".join([
            "[main]", "HK=yes", "NUM = 3", "1=0 90", 'a0="*Один;min"', "1=180",
            r"A1='C:\tools\run.bat'", "2=90 180", "no equals sign here", "3 = 270 0",
            "a2 = *Три;max ; not a comment", "[Main]", "a1=never read", "[Messages]",
            "NumOfMessages=2", "1=one;min", '2 = "two;max"', ""])
        with open(f"{s.folder}/{profile.INI}", "wb") as f:
            f.write(text.encode("cp1251"))
        s.start(env={"WINEDEBUG": "+profile"})
        steps.wait_hidden(s)
        c = steps.labelled(s.show_from_tray())
        gestures, actions, combo = c["ListBox 1"], c["ListBox 2"], c["ComboBox"]
        loaded = _system_reads(s.log_path, s.acp())
        keys = [("Main", k) for k in ("HoldButton", "MB", "UM", "x2", "y2", "Scale", "HK",
                                      "Hotkey", "AR", "PauseFullscreen", "Num")]
        keys += [("Main", k) for i in range(3) for k in (str(i + 1), f"a{i}")]
        keys += [("Messages", k) for k in ("NumOfMessages", "1", "2")]
        self.assertEqual([k for k in keys if k not in loaded], [],
                         "keys loaded without asking the system's routine")
        dump = s.dump()
        self.assertEqual(dump.rows(gestures), ["0", "1", "2"])
        self.assertEqual(dump.rows(actions), [_shown(loaded["Main", f"a{i}"]) for i in range(3)])
        self.assertEqual(dump.rows(combo), [loaded["Messages", "1"], loaded["Messages", "2"]])

        # Renumbering reads the keys that move again, one by one: the same answers.
        s.click_at(*pointer.row_point(gestures, 0))
        s.wait_dump("row 0 selected", lambda d: d.selected_rows(gestures) == [0])
        s.click_centre(c["Удалить 1"])
        dump = s.wait_dump("the gesture's rows gone", lambda d: len(d.rows(gestures)) == 2)
        self.assertEqual(dump.rows(actions), [_shown(loaded["Main", f"a{i}"]) for i in (1, 2)])
        moved = _system_reads(s.log_path, s.acp(), after=len(loaded.order))
        self.assertEqual({k: moved[k] for k in moved.order},
                         {k: loaded[k] for k in moved.order if k in loaded})
        self.assertEqual(set(moved.order), {("Main", k) for k in ("2", "a1", "3", "a2")})


class _Reads(dict):
    """(section, key) -> the answer of the first read; `order`: every read, in order."""

    def __init__(self):
        super().__init__()
        self.order = []


def _system_reads(log_path, acp, after=0):
    """The reads of gesture.ini that the system's routine answered, from Wine's +profile
    trace, skipping the first `after`. The trace shows the file's bytes in the ANSI code page
    `acp`; the program's are code page 1251."""
    call = "trace:profile:GetPrivateProfileStringW "
    asked = re.compile(call + r'L"(.*?)",L"(.*?)",.*\\(?i:gesture\.ini)"$')
    answer = re.compile(call + r'returning L"(.*)", \d+$')
    with open(log_path, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    reads, key, seen = _Reads(), None, 0
    for line in lines:
        if m := asked.search(line):
            key = (_unescape(m[1], acp), _unescape(m[2], acp))
        elif (m := answer.search(line)) and key:
            seen += 1
            if seen > after:
                reads.order.append(key)
                reads.setdefault(key, _unescape(m[1], acp))
            key = None
    return reads


def _unescape(traced, acp):
    """A string as Wine's trace shows it (\\XXXX for every character outside ASCII)."""
    named = {"n": "\n", "r": "\r", "t": "\t"}
    text = re.sub(r"\\([0-9a-f]{4})|\\(.)",
                  lambda m: chr(int(m[1], 16)) if m[1] else named.get(m[2], m[2]), traced)
    return text.encode(f"cp{acp}").decode("cp1251")


def _shown(action):
    """An action as the action list shows it: a command by its name."""
    return "*" + action[1:].split(";")[0] if action.startswith("*") else action


if __name__ == "__main__":
    main()

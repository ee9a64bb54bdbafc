"""Dragging the window's corner 100 px right and down: the right-hand controls follow
the right edge, the drawing area, the lists and the command field grow, and every
control below the lists follows the bottom edge."""

from harness import profile
from harness.session import VetrixTest, main
import shell_steps as steps

GROW = 100

# (dx, dy, dwidth, dheight) of each control's place in the client area.
DOWN, BOTH = (0, GROW, 0, 0), (GROW, GROW, 0, 0)
EXPECTED = {
    "VetrixImage": (0, 0, GROW, GROW),
    "ListBox 1": (GROW, 0, 0, GROW),
    "ListBox 2": (GROW, 0, 0, GROW),
    "Старт": DOWN,
    "Запись": DOWN,
    "Edit": DOWN,
    "msctls_updown32": DOWN,
    "msctls_hotkey32": DOWN,
    "Горячая клавиша": DOWN,
    "Точная запись": DOWN,
    "ComboBox": (0, GROW, GROW, 0),
    "ComboBox edit": (0, GROW, GROW, 0),
    "Удалить 1": BOTH,
    "Скрыть": BOTH,
    "VetrixGroupBox": BOTH,
    "Использовать кнопки мыши": BOTH,
    "Левая": BOTH,
    "Средняя": BOTH,
    "Правая": BOTH,
    "Добавить": BOTH,
    "Удалить 2": BOTH,
}


class Layout(VetrixTest):
    def test_dragging_the_corner_moves_and_grows_the_controls(self):
        s = self.session
        profile.write_ini(s.folder, {"Main": {"HK": "yes"}})  # no recognition while dragging
        steps.start_hidden(s)
        before = s.show_from_tray()
        left, top, width, height = before.window.rect()
        corner = (left + width - 2, top + height - 2)
        s.xdotool("mousemove", str(corner[0]), str(corner[1]), "mousedown", "1")
        # One move: Wine's sizing loop may drop a second one that follows at once.
        s.xdotool("mousemove", str(corner[0] + GROW), str(corner[1] + GROW))
        try:
            s.wait_dump("the window 100 px wider and taller",
                        lambda d: d.window.rect()[2:] == (width + GROW, height + GROW))
        finally:
            s.xdotool("mouseup", "1")
        after = steps.wait_settled(s)
        client = [int(v) for v in before.window["client"].split()]
        self.assertEqual([int(v) for v in after.window["client"].split()],
                         [client[0] + GROW, client[1] + GROW], "client size")

        old, new = steps.labelled(before), steps.labelled(after)
        self.assertEqual(sorted(new), sorted(EXPECTED), "controls")
        moved = {name: tuple(b - a for a, b in zip(old[name].rect("crect"),
                                                   new[name].rect("crect")))
                 for name in EXPECTED}
        self.assertEqual(moved, EXPECTED)


if __name__ == "__main__":
    main()

"""Steps for the tests of the main window, the tray and gesture.ini: a prepared file, the
controls by label, the tray icon's menu, the error box, the close box.

The menus and the message box are top-level windows of their own classes that the inspector
lists.
"""

import subprocess

from harness import pointer, screen
from harness.inspector import Dump, one
from harness.waiting import START_TIMEOUT, UI_TIMEOUT, poll, poll_settled

APP_TITLE = "Vetrix"


# --- gesture.ini -------------------------------------------------------------

# Every kind of content the window shows: three gestures (a command, a file, no
# action), two saved command lines, the hot key, exact recording, the right
# button, the scale. Hot-key mode, so no recognition runs; and the gestures are
# long alternating chains that a few pointer jumps cannot draw anyway.
PREPARED = {
    "Main": {
        "Num": "3",
        "1": "0 180 0 180 0",
        "2": "90 270 90 270 90",
        "3": "30 210 30 210 30",
        "a0": "*Окно;min",
        "a1": r"C:\tools\run.bat",
        "MB": "3",
        "HK": "yes",
        "Hotkey": "Ctrl+Alt+F5",
        "AR": "yes",
        "Scale": "20",
    },
    "Messages": {"NumOfMessages": "2", "1": "Первая;max", "2": "second;close"},
}


# --- the window ----------------------------------------------------------------


def wait_hidden(session, timeout=START_TIMEOUT):
    return session.wait_dump("the main window hidden",
                             lambda d: not d.window.flag("visible"), timeout=timeout)


def start_hidden(session):
    """Starts the program and waits until its first activation has hidden it."""
    session.start()
    return wait_hidden(session)


def labelled(dump):
    """Every child by a readable label: its caption, or its class; the two "Удалить"
    buttons and the two lists told apart by their place."""
    labels = {}
    for child in dump.children:
        label = child["text"] if child["class"] == "Button" else child["class"]
        if child["class"] == "Edit" and child["parent"] != dump.window["hwnd"]:
            label = "ComboBox edit"
        labels.setdefault(label, []).append(child)
    out = {}
    for label, children in labels.items():
        if len(children) == 1:
            out[label] = children[0]
            continue
        # Two of a kind: the upper (or left) one first.
        children.sort(key=lambda c: (c.rect("crect")[1], c.rect("crect")[0]))
        if label == "ListBox":
            children.sort(key=lambda c: c.rect("crect")[0])
        for i, child in enumerate(children, 1):
            out[f"{label} {i}"] = child
    return out


def wait_settled(session):
    """A dump that the next one repeats: the window has done moving its controls, which
    it does after the new frame may already show."""
    return poll_settled("the controls to stay in place", session.dump,
                        lambda d: [d.window["rect"]] + [(c["hwnd"], c["crect"]) for c in d.children])


def combo_box(dump):
    return one(dump.find("ComboBox"), "combo box")


def drop_down(session, combo):
    """Clicks the combo box's arrow; returns the list that drops down."""
    left, top, width, height = combo.rect()
    session.click_at(left + width - 8, top + height // 2)
    return session.wait_top_level("ComboLBox")


def type_into(session, child, text):
    """Clicks into an edit field, selects what it holds and types over it."""
    session.click_centre(child)
    session.xdotool("key", "ctrl+a")
    session.xdotool("type", "--delay", "20", text)


def frame_and_caption(window):
    # Both are Wine's; both follow from window and client size.
    _, _, width, height = window.rect()
    client_w, client_h = (int(v) for v in window["client"].split())
    frame = (width - client_w) // 2
    return frame, height - client_h - 2 * frame


def close_box_point(window):
    left, top, width, _ = window.rect()
    frame, caption = frame_and_caption(window)
    return left + width - frame - caption // 2 - 2, top + frame + caption // 2


def window_menu_point(window):
    """The icon at the caption's left end, which opens the window menu."""
    left, top, _, _ = window.rect()
    frame, caption = frame_and_caption(window)
    return left + frame + caption // 2, top + frame + caption // 2


def wait_exit(session, timeout=UI_TIMEOUT):
    """Waits for vetrix.exe to end and returns its exit code, or fails."""
    try:
        return session.program.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        raise AssertionError(f"vetrix.exe still running {timeout:.0f} s after the close "
                             f"request; top-level windows: {session.visible_windows()}") from None


def wait_error_box(session):
    """The application's default error box: returns its window and its message."""
    box = session.wait_top_level("#32770", APP_TITLE)
    dump = Dump(session.records("dump", "hwnd=" + box["hwnd"]))
    texts = [c["text"] for c in dump.find("Static") if c["text"]]
    return box, one(texts, "text in the message box")


def dismiss_error(session):
    """Presses OK in the application's error box once it shows; returns its message."""
    box, text = wait_error_box(session)
    session.inspect("click", "hwnd=" + box["hwnd"], "OK")
    poll("the error box gone", lambda: not [w for w in session.records("windows")
                                            if w["hwnd"] == box["hwnd"] and w.flag("visible")])
    return text


# --- the tray ------------------------------------------------------------------


def open_tray_menu(session):
    """A real right press on the tray icon; returns the menu's window."""
    session.click_at(*screen.tray_icon_point(session), button=3)
    return session.wait_top_level("#32768")


def quit_from_tray_menu(session):
    """Chooses "Выход" in the tray menu with the keyboard, which reaches the menu only while the
    window is in front; returns the exit code."""
    open_tray_menu(session)
    session.xdotool("key", "Up", "Return")
    return wait_exit(session)


def bind_command(session, actions, row):
    """Binds the saved-command box's text to a row through the action list's menu
    ("Команда", its second item), with real clicks."""
    session.click_at(*pointer.row_point(actions, row))
    session.wait_dump(f"row {row} of the action list selected",
                      lambda d: d.selected_rows(actions) == [row])
    session.click_at(*pointer.row_point(actions, row), button=3)
    menu = session.wait_top_level("#32768")
    session.click_at(*menu_item_point(menu, 1))


def menu_item_point(menu, index, count=2):
    # A popup menu is its items stacked evenly between a thin border.
    left, top, width, height = menu.rect()
    return left + width // 2, top + height * (2 * index + 1) // (2 * count)


// The tray icon and the showing and hiding of the program's two windows, which always go
// together so that the taskbar entry exists exactly while the main window is visible.
#pragma once

#include <cstdint>

namespace vetrix {

class MainForm;

// The tray picture follows the recognition state: the question mark while running.
void UpdateTrayIcon(MainForm& form, bool running);
void HideToTray(MainForm& form);
void ShowFromTray(MainForm& form);
// A mouse message over the tray icon.
void TrayMessage(MainForm& form, std::int32_t mouseMessage);
void Restore1Click(MainForm& form);
void Button4Click(MainForm& form);
// The shell lost its tray icons (Explorer restarted): without the icon a hidden window would
// have no way back.
void TaskbarCreated(MainForm& form);

}  // namespace vetrix

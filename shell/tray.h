// The tray icon and the showing and hiding of the program's two windows, which always go
// together so that the taskbar entry exists exactly while the main window is visible.
#pragma once

#include <cstdint>

namespace vetrix {

class MainWindow;

void HideToTray(MainWindow& window);
// Shows the window and brings it to the front.
void ShowFromTray(MainWindow& window);
// A mouse message over the tray icon: a left press shows the window, a right press opens the
// tray menu.
void OnTrayMessage(MainWindow& window, std::int32_t mouseMessage);

}  // namespace vetrix

// The life of the main window: creation, first activation, closing.
#pragma once

namespace vetrix {

class MainWindow;

// Settings into the controls and the table, tray icon, hot key, in their fixed order.
void OnCreate(MainWindow& window);
// Hides to the tray and, unless hot-key mode is on, runs recognition from here.
void OnFirstActivate(MainWindow& window);
// The two values saved only when the program closes: the hot key, then the scale when the
// field holds a whole number.
void WriteClosingSettings(MainWindow& window);
// Every close request ends here, and the process ends inside it.
void OnCloseRequest(MainWindow& window);
// The tray menu's "Выход": every loop stops, then the window is asked to close.
void ExitFromTray(MainWindow& window);

}  // namespace vetrix

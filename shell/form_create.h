// The life of the main window: creation, first activation, closing.
#pragma once

namespace vetrix {

class MainForm;

// Settings into the controls and the table, tray icon, hot key, in their fixed order.
void FormCreate(MainForm& form);
// Hides to the tray and, unless hot-key mode is on, runs recognition from here.
void FormActivate(MainForm& form);
// Every close request ends here, and the process ends inside it.
void FormCloseQuery(MainForm& form);
void Exit1Click(MainForm& form);

}  // namespace vetrix

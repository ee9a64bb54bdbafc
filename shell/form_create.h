#pragma once

namespace vetrix {

class MainForm;

// The main window's creation: settings into the controls and the table, tray icon, hot key.
void FormCreate(MainForm& form);

// Handlers of the buttons that edit the gesture list and the saved command lines.
void Button3Click(MainForm& form);
void Button5Click(MainForm& form);
void Button6Click(MainForm& form);

}  // namespace vetrix

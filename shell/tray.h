#pragma once

namespace vetrix {

class MainForm;

// The tray picture follows the recognition state: the question mark while running.
void UpdateTrayIcon(MainForm& form, bool running);

// Ends the program from wherever the close request was dispatched.
[[noreturn]] void CloseProgram(MainForm& form);

}  // namespace vetrix

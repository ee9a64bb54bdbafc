// The window of the selected gesture's actions per program, reached from the action list's menu.
#pragma once

namespace vetrix {

class MainWindow;

// Whether the action list's menu offers the window without Shift: once the file has any
// program's section. Without one the menu stays as it always was.
bool ProgramActionsOffered(const MainWindow& window);
// Opens the window for the action list's selected gesture; nothing without one.
void OpenProgramActions(MainWindow& window);
// The gesture it shows is gone or moved: it closes.
void CloseProgramActions(MainWindow& window);

}  // namespace vetrix

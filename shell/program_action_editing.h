// Editing a gesture's actions of their own per program, for the window that shows them. Each
// writes gesture.ini beside the program first, as binding an action does, and only then the
// table: a failed write changes nothing else and leaves the current folder where it was.
#pragma once

#include <string>

namespace vetrix {

class MainWindow;

// The program (an executable's file name, or a full path counted by its last part) gets its
// own action for the row; an empty action means that the gesture does nothing there.
void SetProgramAction(MainWindow& window, int row, const std::string& program,
                      const std::string& action);
// The program's own action for the row goes: the gesture's own applies there again.
void RemoveProgramAction(MainWindow& window, int row, const std::string& program);

}  // namespace vetrix

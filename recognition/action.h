// What a recognised gesture does: open a file through the shell, or run a command script.
#pragma once

#include <string>

namespace vetrix {

class MainWindow;

// Runs an action text: the gesture's own, or a program's own for it.
void RunAction(MainWindow& window, const std::string& action);
void RunAction(MainWindow& window, int row);

}  // namespace vetrix

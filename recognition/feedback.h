// What a user sees of recognition besides the actions: while a run that a trigger started is in
// progress, the trail of the pointer as the passes sample it; when a gesture fires, a tip naming
// what fired; when a triggered run ends after the pointer left the drag rectangle around its
// start and nothing fired, a tip saying so. The window's feedback options turn either off.
#pragma once

#include <string>

namespace vetrix {

class MainWindow;

// Follows the window's recognition notices from now on.
void ShowRecognitionFeedback(MainWindow& window);

// What a tip names for an action: a file's name without its folder, a command script's first
// field (the name the action list shows); for a program's own action, that program after it:
// "*Копировать (notepad.exe)".
std::string TipText(const std::string& action, const std::string& program = {});

}  // namespace vetrix

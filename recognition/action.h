// What a recognised gesture does: open a file through the shell, or run a command script.
#pragma once

#include <string>

namespace vetrix {

class MainWindow;

void RunAction(MainWindow& window, int row);
void OpenActionFile(MainWindow& window, int row);

}  // namespace vetrix

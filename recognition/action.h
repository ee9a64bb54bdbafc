// What a recognised gesture does: open a file through the shell, or run a command script.
#pragma once

#include <string>

namespace vetrix {

class MainForm;

void RunAction(MainForm& form, int j);
void OpenActionFile(MainForm& form, int j);

}  // namespace vetrix

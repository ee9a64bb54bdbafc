// What a recognised gesture does: open a file through the shell, or run a command script.
#pragma once

#include <string>

namespace vetrix {

class MainForm;

void RunAction(MainForm& form, int j);
void OpenActionFile(MainForm& form, int j);

// The folder part of a file action, up to and including its last backslash; empty when the
// text has none.
std::string ActionFolder(const std::string& action);

}  // namespace vetrix

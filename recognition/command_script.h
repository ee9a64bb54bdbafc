// Command scripts: an action that starts with "*" holds a name and then fields, window commands
// and key strokes, run in order against whatever window is in front.
#pragma once

#include <string_view>

namespace vetrix {

// Runs fields 2, 3, ... of a "*name;field;...;" action up to the first empty field: window
// commands "/mn", "/mx", "/cl" for the window in front, key strokes "+name", "-name", "*name".
void RunCommandScript(std::string_view action);

}  // namespace vetrix

#pragma once

#include <string_view>

namespace vetrix {

// Runs fields 2, 3, ... of a "*name;field;...;" action up to the first empty field: window
// commands "/mn", "/mx", "/cl" for the window in front, key strokes "+name", "-name", "*name".
void RunCommandScript(std::string_view action);

}  // namespace vetrix

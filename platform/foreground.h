// The window in front, followed for the programs that recognition must stay out of.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/geometry.h"

namespace vetrix::platform {

struct ForegroundWindow {
  // The file name of its process's image ("game.exe"), code page 1251; empty when there is no
  // window in front or its process cannot be asked.
  std::string program;
  Rect bounds;   // on the screen
  Rect monitor;  // the whole monitor it is mostly on
  // The desktop or the shell's taskbar: they cover a monitor without being a program in front.
  bool shell = false;
};

ForegroundWindow Foreground();

// Only the file name of the program in front, as Foreground() gives it: for the moment a
// gesture with actions of its own per program completes. It sends no message to any window and
// allocates nothing; the text stays valid until the next call.
std::string_view ForegroundProgram();

// From now on `changed` runs from the message pump whenever another window comes to the front
// and, with `followPlacement`, whenever the one in front moves or changes size. Asked again,
// it replaces the earlier watch.
void WatchForeground(std::function<void()> changed, bool followPlacement);

}  // namespace vetrix::platform

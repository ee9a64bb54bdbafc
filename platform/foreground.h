// The window in front, followed for the programs that recognition must stay out of.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "base/path.h"

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

// The programs with a visible window now, each once, by the file name of the process's image
// (code page 1251), from the top window down; this program is left out. Each window's process
// is asked, never the window, so that no hung window holds it up.
struct VisibleProgram {
  std::string name;
  SystemPath path;  // the image's full path, for its icon
};
std::vector<VisibleProgram> VisiblePrograms();

// From now on `changed` runs from the message pump whenever another window comes to the front
// and, with `followPlacement`, whenever the one in front moves or changes size. Asked again,
// it replaces the earlier watch.
void WatchForeground(std::function<void()> changed, bool followPlacement);

}  // namespace vetrix::platform

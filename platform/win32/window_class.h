// Registering the program's own window classes, each once per process.
#pragma once

#include "platform/win32/win32.h"

namespace vetrix::win32 {

struct WindowClassArgs {
  const wchar_t* name = nullptr;
  WNDPROC procedure = nullptr;
  UINT style = 0;
  // Null: the window paints its whole background itself.
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
};

// Registers the class unless a class of that name is registered already; every class gets the
// arrow cursor.
void RegisterWindowClass(const WindowClassArgs& args);

// The program's icon from its resources, at a size in pixels. Shared: the system owns it, so it
// is never destroyed.
HICON ProgramIcon(int size);

}  // namespace vetrix::win32

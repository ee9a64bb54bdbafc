// The application window: invisible, owner of the main window, the program's taskbar entry. It
// stands in for the main window wherever the shell talks to that entry.
#pragma once

#include "platform/win32/child.h"

namespace vetrix::win32 {

HWND CreateApplicationWindow(platform::Window::Impl* main);

// Brings the main window, or the dialog it is waiting for, to the front if it is visible.
void BringMainToFront(const platform::Window::Impl& main);

}  // namespace vetrix::win32

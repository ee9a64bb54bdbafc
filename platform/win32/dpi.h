// The DPI functions of Windows 8.1 and 10, looked up at run time: where one is missing, the
// system's DPI stands in for every monitor and window.
#pragma once

#include "platform/win32/win32.h"

namespace vetrix::win32 {

// The DPI the process was started with: the primary monitor's at log-on.
UINT SystemDpi();
UINT WindowDpi(HWND hwnd);
UINT DpiAtPoint(POINT screen);

}  // namespace vetrix::win32

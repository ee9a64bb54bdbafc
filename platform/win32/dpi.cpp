#include "platform/win32/dpi.h"

#include "platform/system.h"

namespace vetrix::win32 {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
// shcore's, Windows 8.1: MDT_EFFECTIVE_DPI (0) and the x and y DPI.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <class Fn>
Fn Find(HMODULE module, const char* name) {
  // Through void(*)() as GetProcAddress's own type wants it, for -Wcast-function-type.
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                : nullptr;
}

HMODULE User32() {
  static const HMODULE module = GetModuleHandleW(L"user32.dll");
  return module;
}

GetDpiForMonitorFn MonitorDpiFunction() {
  // Loaded the first time a point's monitor is asked for, and only with more than one monitor:
  // start-up and a one-monitor desktop never load it.
  static const GetDpiForMonitorFn fn = Find<GetDpiForMonitorFn>(
      LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
  return fn;
}

}  // namespace

UINT SystemDpi() {
  static const UINT dpi = [] {
    if (const auto fn = Find<GetDpiForSystemFn>(User32(), "GetDpiForSystem")) return fn();
    HDC dc = GetDC(nullptr);
    const int logPixels = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return logPixels > 0 ? static_cast<UINT>(logPixels) : 96u;
  }();
  return dpi;
}

UINT WindowDpi(HWND hwnd) {
  static const auto fn = Find<GetDpiForWindowFn>(User32(), "GetDpiForWindow");
  const UINT dpi = fn && hwnd ? fn(hwnd) : 0;
  return dpi ? dpi : SystemDpi();
}

UINT DpiAtPoint(POINT screen) {
  if (GetSystemMetrics(SM_CMONITORS) > 1) {
    if (const auto fn = MonitorDpiFunction()) {
      UINT x = 0, y = 0;
      if (SUCCEEDED(fn(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && y)
        return y;
    }
  }
  // One monitor: the main window's DPI follows its scale even after the user changed it while
  // the program ran, which the system's DPI does not.
  return WindowDpi(MainWindowHandle());
}

}  // namespace vetrix::win32

namespace vetrix::platform {

std::int32_t DpiAt(Point screen) {
  return static_cast<std::int32_t>(win32::DpiAtPoint({screen.x, screen.y}));
}

}  // namespace vetrix::platform

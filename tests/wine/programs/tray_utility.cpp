// What any small tray program pays before doing its own work, for the benchmark under Wine: an
// empty visible window, the common controls initialised and one icon in the notification area.
// Closing the window removes the icon and ends it.
#include <windows.h>

#include <commctrl.h>

#include "tool_support.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  if (!InitCommonControlsEx(&icc)) return 3;

  test_tool::RegisterToolClass(L"BenchTrayUtility", test_tool::TrayWindowProc);
  HWND hwnd = CreateWindowExW(0, L"BenchTrayUtility", L"tray utility",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, test_tool::kBaselineWidth,
                              test_tool::kBaselineHeight, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 4;

  if (!test_tool::AddTrayIcon(hwnd, L"tray utility")) return 5;
  return test_tool::RunMessageLoop();
}

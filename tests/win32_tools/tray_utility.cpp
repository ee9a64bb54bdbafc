// What any small tray program pays before doing its own work, for the benchmark under Wine: an
// empty visible window, the common controls initialised and one icon in the notification area.
// Closing the window removes the icon and ends it.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "tool_support.h"

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;

NOTIFYICONDATAW g_icon{};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    Shell_NotifyIconW(NIM_DELETE, &g_icon);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  if (!InitCommonControlsEx(&icc)) return 3;

  test_tool::RegisterToolClass(L"BenchTrayUtility", WindowProc);
  HWND hwnd = CreateWindowExW(0, L"BenchTrayUtility", L"tray utility",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, test_tool::kBaselineWidth,
                              test_tool::kBaselineHeight, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 4;

  g_icon.cbSize = sizeof g_icon;
  g_icon.hWnd = hwnd;
  g_icon.uID = 1;
  g_icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  g_icon.uCallbackMessage = kTrayMessage;
  g_icon.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  lstrcpynW(g_icon.szTip, L"tray utility", ARRAYSIZE(g_icon.szTip));
  if (!Shell_NotifyIconW(NIM_ADD, &g_icon)) return 5;
  return test_tool::RunMessageLoop();
}

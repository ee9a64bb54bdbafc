// Another program on the desktop for the trigger tests, in one of two roles:
//
//   trigger_window hotkey
//     holds Ctrl+Alt+F5 (RegisterHotKey) until a file "release" appears in the current folder;
//   trigger_window window [left top width height | full]
//     a titled topmost window that makes itself the foreground window; when a file "hang"
//     appears it brings itself to the front again and stops answering for good (Sleep in its
//     window procedure), as a hung program does; when a file "hang_on_command" appears, the
//     next window command (WM_SYSCOMMAND) finds it stopping instead. "full": borderless over the
//     whole virtual screen, as a full-screen game is.
//
// Both append lines to trigger.log in the current folder:
//   ready fg=<1 if in the foreground>      hotkey taken | hotkey refused | hotkey released
//   size <WM_SIZE wParam>                  hung fg=<...> | hung on command <wParam in hex>
//   WM_RBUTTONDOWN <x> <y> <extra>         screen position, GetMessageExtraInfo() in hex
//   WM_CONTEXTMENU <x> <y>
//   key down <vk> | key up <vk>            keys reaching the window, system keys included
//   close                                  WM_CLOSE; the window then ends
#include <windows.h>

#include "tool_support.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

bool g_hotkeyRole = false;
bool g_holding = false;
constexpr int kHotkeyId = 7;
constexpr UINT_PTR kSignalTimer = 1;

bool Signalled(const wchar_t* name) { return GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES; }

void OnSignalTimer(HWND hwnd) {
  if (g_hotkeyRole) {
    if (g_holding && Signalled(L"release")) {
      UnregisterHotKey(hwnd, kHotkeyId);
      g_holding = false;
      test_tool::Log("hotkey released");
    }
    return;
  }
  if (Signalled(L"hang")) {
    KillTimer(hwnd, kSignalTimer);
    SetForegroundWindow(hwnd);
    test_tool::Log("hung fg=%d", GetForegroundWindow() == hwnd);
    Sleep(INFINITE);
  }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  test_tool::LogMouseMessage(hwnd, msg, lp);
  switch (msg) {
    case WM_CONTEXTMENU:
      return 0;
    case WM_SIZE:
      test_tool::Log("size %u", static_cast<unsigned>(wp));
      break;
    case WM_TIMER:
      if (wp == kSignalTimer) OnSignalTimer(hwnd);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      test_tool::Log("key %s %u", msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN ? "down" : "up",
                     static_cast<unsigned>(wp));
      return 0;
    case WM_SYSCOMMAND:
      if (!g_hotkeyRole && Signalled(L"hang_on_command")) {
        test_tool::Log("hung on command %x", static_cast<unsigned>(wp));
        Sleep(INFINITE);
      }
      break;
    case WM_CLOSE:
      test_tool::Log("close");
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2 || (std::wcscmp(argv[1], L"hotkey") && std::wcscmp(argv[1], L"window"))) {
    std::fputs("usage: trigger_window hotkey | window [left top width height | full]\n", stderr);
    return 2;
  }
  g_hotkeyRole = !std::wcscmp(argv[1], L"hotkey");
  int rect[4] = {0, 0, 240, 700};
  const bool full = argc == 3 && !std::wcscmp(argv[2], L"full");
  if (full) {
    rect[0] = GetSystemMetrics(SM_XVIRTUALSCREEN);
    rect[1] = GetSystemMetrics(SM_YVIRTUALSCREEN);
    rect[2] = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    rect[3] = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  }
  for (int i = 0; !full && i < 4 && i + 2 < argc; ++i)
    rect[i] = static_cast<int>(std::wcstol(argv[i + 2], nullptr, 10));
  if (!test_tool::OpenLog(L"trigger.log")) return 3;

  test_tool::RegisterToolClass(L"VetrixTriggerWindow", WindowProc);
  // Topmost, so the program's own window never covers the pointer's path over it.
  HWND hwnd =
      CreateWindowExW(g_hotkeyRole ? 0 : WS_EX_TOPMOST, L"VetrixTriggerWindow", L"trigger window",
                      full ? WS_POPUP : WS_OVERLAPPEDWINDOW, rect[0], rect[1], rect[2], rect[3],
                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return 4;
  SetTimer(hwnd, kSignalTimer, 20, nullptr);
  if (g_hotkeyRole) {
    g_holding = RegisterHotKey(hwnd, kHotkeyId, MOD_CONTROL | MOD_ALT, VK_F5) != FALSE;
    test_tool::Log(g_holding ? "hotkey taken" : "hotkey refused");
  } else {
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    test_tool::Log("ready fg=%d", GetForegroundWindow() == hwnd);
  }

  return test_tool::RunMessageLoop();
}

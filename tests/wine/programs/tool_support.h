// What the small Win32 programs of the tests under Wine share: a log file that the test reads
// while they run (flushed after every line), and the message loop.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdarg>
#include <cstdio>

namespace test_tool {

// The outer size of Vetrix's main window, for the baselines it is measured against: under Wine
// a window's surface takes memory by its area.
inline constexpr int kBaselineWidth = 596, kBaselineHeight = 406;

inline std::FILE*& LogFile() {
  static std::FILE* file = nullptr;
  return file;
}

inline bool OpenLog(const wchar_t* name) {
  LogFile() = _wfopen(name, L"a");
  return LogFile() != nullptr;
}

inline void Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(LogFile(), format, args);
  va_end(args);
  std::fputc('\n', LogFile());
  std::fflush(LogFile());
}

// Logs a mouse-button message or WM_CONTEXTMENU as the tests read them: the message's name,
// its screen point and, for buttons, the input's extra-info tag.
inline void LogMouseMessage(HWND hwnd, UINT msg, LPARAM lp) {
  static constexpr struct {
    UINT msg;
    const char* name;
  } kButtons[] = {
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},     {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
      {WM_MBUTTONUP, "WM_MBUTTONUP"},         {WM_MBUTTONDBLCLK, "WM_MBUTTONDBLCLK"},
      {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},     {WM_RBUTTONUP, "WM_RBUTTONUP"},
      {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
  };
  const short x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
  if (msg == WM_CONTEXTMENU) {
    Log("WM_CONTEXTMENU %d %d", x, y);
    return;
  }
  for (const auto& button : kButtons) {
    if (button.msg != msg) continue;
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    Log("%s %ld %ld %llx", button.name, pt.x, pt.y,
        static_cast<unsigned long long>(GetMessageExtraInfo()));
    return;
  }
}

// The window class of a test program's one window: arrow cursor, window-coloured background.
inline void RegisterToolClass(const wchar_t* name, WNDPROC procedure, UINT style = 0) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

// Runs until WM_QUIT, then closes the log, if one was opened.
inline int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (LogFile()) std::fclose(LogFile());
  return 0;
}

// The baselines' tray icon: added once their window exists, removed as the window goes.
inline NOTIFYICONDATAW& TrayIcon() {
  static NOTIFYICONDATAW icon{};
  return icon;
}

// A baseline's window procedure: closing the window removes the icon and ends the program.
inline LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    Shell_NotifyIconW(NIM_DELETE, &TrayIcon());
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

inline bool AddTrayIcon(HWND hwnd, const wchar_t* tip) {
  NOTIFYICONDATAW& icon = TrayIcon();
  icon.cbSize = sizeof icon;
  icon.hWnd = hwnd;
  icon.uID = 1;
  icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  icon.uCallbackMessage = WM_APP + 1;
  icon.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  lstrcpynW(icon.szTip, tip, ARRAYSIZE(icon.szTip));
  return Shell_NotifyIconW(NIM_ADD, &icon);
}

}  // namespace test_tool

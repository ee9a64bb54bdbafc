// Follows the window in front with the system's event hooks, so that recognition never has to
// ask at a pass. Out-of-context hooks call back on this thread from its message pump; none of
// the calls here sends a message to another window, so a hung program in front cannot hang us.
//
// Wine (8.0) delivers no foreground or location events out of context, only object creation,
// and has no shell hook window: there the window in front is looked at from a timer a few
// times a second instead, which costs those wake-ups but still nothing in a pass.
#include "platform/foreground.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/unique_handle.h"
#include "platform/handler.h"
#include "platform/win32/win32.h"

namespace vetrix::platform {
namespace {

using EventHook = UniqueHandle<HWINEVENTHOOK, &UnhookWinEvent>;
using Handle = UniqueHandle<HANDLE, &CloseHandle>;

constexpr UINT kLookIntervalMs = 250;

struct Watch {
  std::function<void()> changed;
  bool followPlacement = false;
  EventHook foreground;
  // Moves and sizes are asked of the process in front only: a hook on every process would
  // hear every window of the desktop and the pointer itself.
  EventHook placement;
  DWORD placementProcess = 0;
  // The program of the last window asked about: placement events repeat the same window.
  HWND lastWindow = nullptr;
  DWORD lastProcess = 0;
  std::string lastProgram;
  // Where events do not come: the timer, and the window in front and its client area as last
  // seen by it.
  UINT_PTR timer = 0;
  HWND seenWindow = nullptr;
  RECT seenClient{};
};
Watch g_watch;

std::string ProgramOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (hwnd == g_watch.lastWindow && pid == g_watch.lastProcess) return g_watch.lastProgram;
  std::string program;
  if (const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)); process) {
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process.get(), 0, path.data(), &size)) {
      path.resize(size);
      program = win32::Narrow(std::wstring_view(path).substr(path.find_last_of(L"\\/") + 1));
    }
  }
  g_watch.lastWindow = hwnd;
  g_watch.lastProcess = pid;
  g_watch.lastProgram = program;
  return program;
}

bool IsShell(HWND hwnd) {
  if (hwnd == GetDesktopWindow() || hwnd == GetShellWindow()) return true;
  wchar_t name[32];
  if (GetClassNameW(hwnd, name, 32) == 0) return false;
  for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"})
    if (lstrcmpiW(name, shell) == 0) return true;
  return false;
}

Rect RectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The client area, not the frame: a maximised window's frame hangs off the screen by its
// border, while only a program that fills the monitor with its own content is full-screen.
RECT ClientOnScreen(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

bool EventsReachUs() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return !ntdll || !GetProcAddress(ntdll, "wine_get_version");
}

void CALLBACK LookAtForeground(HWND, UINT, UINT_PTR, DWORD) {
  const HWND hwnd = GetForegroundWindow();
  const RECT client = g_watch.followPlacement && hwnd ? ClientOnScreen(hwnd) : RECT{};
  if (hwnd == g_watch.seenWindow && EqualRect(&client, &g_watch.seenClient)) return;
  g_watch.seenWindow = hwnd;
  g_watch.seenClient = client;
  if (g_watch.changed) RunHandler(g_watch.changed);
}

void CALLBACK OnPlacement(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
  if (object == OBJID_WINDOW && hwnd == GetForegroundWindow() && g_watch.changed)
    RunHandler(g_watch.changed);
}

void FollowPlacementOf(HWND hwnd) {
  DWORD pid = 0;
  if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
  if (pid == g_watch.placementProcess && g_watch.placement) return;
  g_watch.placement.reset();
  g_watch.placementProcess = pid;
  if (pid == 0) return;
  g_watch.placement.reset(SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE,
                                          nullptr, OnPlacement, pid, 0, WINEVENT_OUTOFCONTEXT));
}

void CALLBACK OnForeground(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) {
  if (g_watch.followPlacement) FollowPlacementOf(hwnd);
  if (g_watch.changed) RunHandler(g_watch.changed);
}

}  // namespace

ForegroundWindow Foreground() {
  ForegroundWindow f;
  const HWND hwnd = GetForegroundWindow();
  if (!hwnd) return f;
  f.program = ProgramOf(hwnd);
  f.shell = IsShell(hwnd);
  f.bounds = RectOf(ClientOnScreen(hwnd));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
    f.monitor = RectOf(monitor.rcMonitor);
  return f;
}

std::string_view ForegroundProgram() {
  // The window in front and its program's name as last asked; the name lives as long as the
  // program, so that asking again at a pass allocates nothing. The path is on the stack: a
  // zero-filled static in a section of its own would take its 64 KiB in the file too.
  static HWND window = nullptr;
  static DWORD process = 0;
  static char name[4 * MAX_PATH];
  static int length = 0;
  const HWND hwnd = GetForegroundWindow();
  DWORD pid = 0;
  if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
  if (hwnd == window && pid == process) return {name, static_cast<std::size_t>(length)};
  window = hwnd;
  process = pid;
  length = 0;
  if (pid == 0) return {};
  if (const Handle p(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)); p) {
    wchar_t path[32768];
    DWORD size = sizeof path / sizeof path[0];
    if (QueryFullProcessImageNameW(p.get(), 0, path, &size)) {
      const std::wstring_view full(path, size);
      const std::wstring_view file = full.substr(full.find_last_of(L"\\/") + 1);
      length = WideCharToMultiByte(1251, 0, file.data(), static_cast<int>(file.size()), name,
                                   sizeof name, nullptr, nullptr);
    }
  }
  return {name, static_cast<std::size_t>(length)};
}

std::vector<VisibleProgram> VisiblePrograms() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND hwnd, LPARAM list) -> BOOL {
        // Windows a user can pick in the taskbar: visible, not owned, not tool windows.
        if (IsWindowVisible(hwnd) && !GetWindow(hwnd, GW_OWNER) &&
            !(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::vector<VisibleProgram> programs;
  std::vector<DWORD> asked;
  for (HWND hwnd : windows) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId() || std::find(asked.begin(), asked.end(), pid) != asked.end())
      continue;
    asked.push_back(pid);
    const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) continue;
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process.get(), 0, path.data(), &size)) continue;
    path.resize(size);
    std::string name = win32::Narrow(std::wstring_view(path).substr(path.find_last_of(L"\\/") + 1));
    // Two processes of one program are one row: its actions are the program's.
    if (name.empty() || std::any_of(programs.begin(), programs.end(), [&](const auto& p) {
          return lstrcmpiW(win32::Widen(p.name).c_str(), win32::Widen(name).c_str()) == 0;
        }))
      continue;
    programs.push_back({std::move(name), win32::PathOf(path)});
  }
  return programs;
}

void WatchForeground(std::function<void()> changed, bool followPlacement) {
  g_watch.changed = std::move(changed);
  g_watch.followPlacement = followPlacement;
  g_watch.placement.reset();
  g_watch.placementProcess = 0;
  if (!EventsReachUs()) {
    g_watch.seenWindow = GetForegroundWindow();
    g_watch.seenClient =
        followPlacement && g_watch.seenWindow ? ClientOnScreen(g_watch.seenWindow) : RECT{};
    if (!g_watch.timer) g_watch.timer = SetTimer(nullptr, 0, kLookIntervalMs, LookAtForeground);
    return;
  }
  if (!g_watch.foreground)
    g_watch.foreground.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND,
                                             nullptr, OnForeground, 0, 0, WINEVENT_OUTOFCONTEXT));
  if (followPlacement) FollowPlacementOf(GetForegroundWindow());
}

}  // namespace vetrix::platform

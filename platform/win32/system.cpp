#include "platform/system.h"

#include "base/texts.h"
#include "platform/handler.h"
#include "platform/movement_watch.h"
#include "platform/win32/win32.h"
#include "zorv/zorv.h"
// After windows.h, which it needs.
#include <commdlg.h>

#include <cwchar>

namespace vetrix::win32 {
namespace {

int g_modalDepth = 0;

bool ScrollBarPressed(HWND hwnd, LONG bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(hwnd, bar, &info)) return false;
  for (DWORD state : info.rgstate)
    if (state & STATE_SYSTEM_PRESSED) return true;
  return false;
}

// Moving or sizing a window and menus show in the thread's state; a scroll bar's tracking shows
// only as a pressed part of a scroll bar of the window that has the mouse captured.
bool SystemLoopRunning() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetCurrentThreadId(), &info)) return false;
  if (info.flags & (GUI_INMOVESIZE | GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE))
    return true;
  const HWND capture = info.hwndCapture;
  // Only a window of this thread is asked: another thread's could keep us waiting.
  return capture && GetWindowThreadProcessId(capture, nullptr) == GetCurrentThreadId() &&
         (ScrollBarPressed(capture, OBJID_VSCROLL) || ScrollBarPressed(capture, OBJID_HSCROLL));
}

}  // namespace

ModalScope::ModalScope() { ++g_modalDepth; }
ModalScope::~ModalScope() { --g_modalDepth; }
bool ModalScope::Active() { return g_modalDepth > 0 || SystemLoopRunning(); }

}  // namespace vetrix::win32

namespace vetrix::platform {

using win32::Widen;

namespace {
// Long enough for any window that is alive to minimise, maximise or close.
constexpr UINT kWindowCommandTimeoutMs = 2000;
}  // namespace

Point GetCursorPos() {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

void SetCursorPos(Point p) {
  POINT before{};
  ::GetCursorPos(&before);
  ::SetCursorPos(p.x, p.y);
  if (before.x == p.x && before.y == p.y) return;
  // Wine may go on reporting the old position for up to ~100 ms after a move, and a recording
  // would measure strokes from it. Wait (briefly, bounded) until the move shows; on Windows it
  // shows at once.
  const ULONGLONG deadline = GetTickCount64() + 150;
  POINT now{};
  while (::GetCursorPos(&now) && now.x == before.x && now.y == before.y &&
         GetTickCount64() < deadline)
    ::Sleep(1);
}

void Sleep(std::uint32_t ms) { ::Sleep(ms); }

namespace {

// Looked up, not imported: the program must start beside a library that has only the two
// exports the hook library always had, and then polls.
HANDLE PointerMovedEventOfLibrary() {
  static const auto get = [] {
    const HMODULE library = GetModuleHandleW(L"Zorv.dll");
    return library ? reinterpret_cast<zorv::PointerMovedEventFn>(reinterpret_cast<void (*)()>(
                         GetProcAddress(library, zorv::kPointerMovedEventExport)))
                   : nullptr;
  }();
  return get ? get() : nullptr;
}

}  // namespace

namespace {

MovementWatch g_watch;

BOOL CALLBACK FindHungWindow(HWND hwnd, LPARAM found) {
  // Both systems call a window hung once its thread has taken no message for 5 s and is not
  // waiting for one (Wine asks its server): no message is sent to ask. Our own are left out:
  // this very thread asks, and after a long wait it may have taken no message for 5 s.
  if (!IsWindowVisible(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId() ||
      !IsHungAppWindow(hwnd))
    return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

bool AnyWindowHung() {
  bool found = false;
  EnumWindows(FindHungWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// What a resting wait asks: under Wine every question is a request to its server, and asking
// every window at each look made the idle program wake 5 times a second instead of 1.4.
bool ForegroundHung() {
  const HWND front = GetForegroundWindow();
  return front && IsHungAppWindow(front) &&
         GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId();
}

}  // namespace

Woken WaitForMessageOrPointerMove() {
  HANDLE moved = PointerMovedEventOfLibrary();
  if (!moved || !g_watch.MayWait(GetTickCount64(), AnyWindowHung)) return Woken::kNotWaiting;
  POINT rest{};
  GetCursorPos(&rest);
  for (;;) {
    // New messages only: input left queued for a loop of the system must not end every wait.
    const DWORD woken = MsgWaitForMultipleObjectsEx(
        1, &moved, static_cast<DWORD>(MovementWatch::kLookMs), QS_ALLINPUT, 0);
    if (woken == WAIT_OBJECT_0) return Woken::kPointerMoved;
    if (woken != WAIT_TIMEOUT) return Woken::kMessage;
    // A look at the pointer and at the window in front now and then tells a silent library
    // from a resting pointer.
    POINT now{};
    const bool movedUnheard = GetCursorPos(&now) && (now.x != rest.x || now.y != rest.y);
    const auto verdict = g_watch.Look(GetTickCount64(), movedUnheard, ForegroundHung());
    if (!verdict.endWait) continue;
    if (verdict.reinstallHook) {
      UninstallMouseHook();
      InstallMouseHook();
    }
    return movedUnheard ? Woken::kPointerMoved : Woken::kNotWaiting;
  }
}

namespace {

void Dispatch(const MSG& msg) {
  if (win32::NavigationKey(msg)) return;
  TranslateMessage(&msg);
  // The window sees every character before the control with the focus, which still gets it.
  win32::PreviewKey(msg);
  DispatchMessageW(&msg);
}

// Whether a pass must look at what the message's handler did. Painting changes nothing a pass
// looks at, and a loop that redraws at every pass would otherwise never rest.
bool Changes(const MSG& msg) { return msg.message != WM_PAINT; }

}  // namespace

bool ProcessMessages() {
  // A message sent from another thread is handled inside PeekMessage and never returned.
  bool handled = HIWORD(GetQueueStatus(QS_SENDMESSAGE)) != 0;
  MSG msg;
  if (!win32::ModalScope::Active()) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      Dispatch(msg);
      handled = handled || Changes(msg);
    }
    return handled;
  }
  // Everything but input, which belongs to the modal loop that is running underneath.
  static constexpr UINT kRanges[][2] = {
      {0, WM_KEYFIRST - 1}, {WM_KEYLAST + 1, WM_MOUSEFIRST - 1}, {WM_MOUSELAST + 1, 0xFFFFFFFF}};
  for (bool any = true; any;) {
    any = false;
    for (const auto& range : kRanges) {
      while (PeekMessageW(&msg, nullptr, range[0], range[1], PM_REMOVE)) {
        DispatchMessageW(&msg);
        any = true;
        handled = handled || Changes(msg);
      }
    }
  }
  return handled;
}

void RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void ShowErrorBox(const std::string& message) {
  win32::ModalScope modal;
  MessageBoxW(win32::MainWindowHandle(), Widen(message).c_str(), Widen(texts::kAppTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

void ShellOpen(const std::string& file, const std::string& workingDirectory) {
  const std::wstring dir = Widen(workingDirectory);
  ShellExecuteW(win32::MainWindowHandle(), nullptr, Widen(file).c_str(), nullptr,
                dir.empty() ? nullptr : dir.c_str(), SW_SHOW);
}

std::string LayoutKeyName(std::uint8_t vk) {
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  if (scan == 0) return {};
  wchar_t name[64];
  const int n = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
  return n > 0 ? win32::Narrow(std::wstring_view(name, static_cast<std::size_t>(n)))
               : std::string();
}

std::uint32_t ScanCodeOf(std::uint16_t code) { return MapVirtualKeyA(code, MAPVK_VK_TO_VSC); }

void SendKey(std::uint8_t vk, std::uint32_t scan, bool up) {
  keybd_event(vk, static_cast<BYTE>(scan), up ? KEYEVENTF_KEYUP : 0, 0);
}

void SendToForeground(WindowCommand command) {
  WPARAM sc = SC_CLOSE;
  switch (command) {
    case WindowCommand::Minimize:
      sc = SC_MINIMIZE;
      break;
    case WindowCommand::Maximize:
      sc = SC_MAXIMIZE;
      break;
    case WindowCommand::Restore:
      sc = SC_RESTORE;
      break;
    case WindowCommand::Close:
      sc = SC_CLOSE;
      break;
  }
  // A plain SendMessage to a window whose thread has stopped answering would block us forever.
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(GetForegroundWindow(), WM_SYSCOMMAND, sc, 0,
                           SMTO_NORMAL | SMTO_ABORTIFHUNG, kWindowCommandTimeoutMs, &result) &&
      GetLastError() == ERROR_TIMEOUT) {
    // Under Wine the hook library goes deaf while a window hangs; the system calls it hung only
    // a few seconds from now.
    g_watch.Doubt(GetTickCount64());
  }
}

bool ForegroundIsZoomed() { return IsZoomed(GetForegroundWindow()) != FALSE; }

namespace {

// By its full path in the system folder, never by a search.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const UINT n = GetSystemDirectoryW(path, MAX_PATH);
  if (n == 0 || n + 1 + std::wcslen(name) >= MAX_PATH) return nullptr;
  path[n] = L'\\';
  std::wcscpy(path + n + 1, name);
  // Its own libraries are looked for beside it first.
  return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

std::optional<SystemPath> OpenFileDialog(std::string_view filter,
                                         std::string_view initialDirectory) {
  // "desc|pattern|..." becomes "desc\0pattern\0...\0\0"; the string's own terminator is the
  // last of the two.
  std::wstring filters = Widen(filter);
  for (wchar_t& c : filters)
    if (c == L'|') c = L'\0';
  filters += L'\0';
  // The dialog is not sure to take a relative folder.
  const std::wstring relative = Widen(initialDirectory);
  std::wstring folder(MAX_PATH, L'\0');
  const DWORD n = relative.empty()
                      ? 0
                      : GetFullPathNameW(relative.c_str(), static_cast<DWORD>(folder.size()),
                                         folder.data(), nullptr);
  folder.resize(n < folder.size() ? n : 0);
  std::wstring file(32768, L'\0');

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = win32::MainWindowHandle();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // No OFN_NOCHANGEDIR: the caller expects the current folder to follow the choice, and sets it
  // back itself.
  ofn.Flags =
      OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  // Its library is loaded when the dialog is first wanted, not at every start.
  static const auto open = reinterpret_cast<decltype(&GetOpenFileNameW)>(reinterpret_cast<void*>(
      GetProcAddress(LoadSystemLibrary(L"comdlg32.dll"), "GetOpenFileNameW")));
  if (!open) return std::nullopt;
  win32::ModalScope modal;
  if (!open(&ofn)) return std::nullopt;
  file.resize(wcsnlen(file.c_str(), file.size()));
  return win32::PathOf(file);
}

bool AcquireInstanceGuard() {
  // Auto-reset and created signalled: the first instance's own wait consumes the signal, so
  // every later instance times out. The handle stays open for the life of the process.
  HANDLE guard = CreateEventA(nullptr, FALSE, TRUE, "Vetrix_MESSAGE");
  return guard != nullptr && WaitForSingleObject(guard, 10) == WAIT_OBJECT_0;
}

void ShowMessageBox(std::string_view text, std::string_view caption) {
  win32::ModalScope modal;
  MessageBoxW(win32::MainWindowHandle(), win32::Widen(text).c_str(), win32::Widen(caption).c_str(),
              MB_OK | MB_ICONERROR);
}

Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void ExitProcess(int code) { ::ExitProcess(static_cast<UINT>(code)); }

std::uint64_t TickCountMs() { return ::GetTickCount64(); }

}  // namespace vetrix::platform

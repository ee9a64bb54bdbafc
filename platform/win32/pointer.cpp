// The pointer: where it is, moving it, and the resting wait that sleeps until it moves or a
// message comes; and the clocks its passes are timed and stamped by.
#include "platform/movement_watch.h"
#include "platform/system.h"
#include "platform/win32/win32.h"
#include "zorv/zorv.h"

namespace vetrix::platform {

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

Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::uint64_t TickCountMs() { return ::GetTickCount64(); }

LocalTime LocalTimeNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

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

}  // namespace vetrix::platform

namespace vetrix::win32 {

void DoubtHookLibrary() { platform::g_watch.Doubt(GetTickCount64()); }

}  // namespace vetrix::win32

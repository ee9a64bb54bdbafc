// The pointer: where it is, moving it, and the resting wait that sleeps until it moves or a
// message comes (all three through the hook library's side, win32/hook_library.h); and the
// clocks its passes are timed and stamped by.
#include "platform/system.h"
#include "platform/win32/hook_library.h"
#include "platform/win32/win32.h"

namespace vetrix::platform {

Point GetCursorPos() { return win32::HookLibrary::Get().ReadPointer(); }

void SetCursorPos(Point p) {
  win32::HookLibrary::Get().PointerSet();
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

Woken WaitForMessageOrPointerMove() { return win32::HookLibrary::Get().RestingWait(); }

void Sleep(std::uint32_t ms) { ::Sleep(ms); }

Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::uint64_t TickCountMs() { return ::GetTickCount64(); }

LocalTime LocalTimeNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace vetrix::platform

// The pointer: where it is, moving it, and the resting wait that sleeps until it moves or a
// message comes; and the clocks its passes are timed and stamped by.
#include "platform/movement_watch.h"
#include "platform/system.h"
#include "platform/win32/win32.h"
#include "zorv/zorv.h"

namespace vetrix::platform {

namespace {

// Looked up, not imported: the program must start beside a library that has only the two
// exports the hook library always had, and then polls.
template <class Fn>
Fn LibraryFunction(const char* name) {
  const HMODULE library = GetModuleHandleW(L"Zorv.dll");
  return library ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                 : nullptr;
}

zorv::PointerRecord* RecordOfLibrary() {
  static const auto get = LibraryFunction<zorv::PointerRecordFn>(zorv::kPointerRecordExport);
  return get ? get() : nullptr;
}

// The hook thread sets its hook afresh, as the system may have dropped it; a library without
// the export has no record either, so no resting wait asks it.
void SetHookAgain() {
  static const auto set = LibraryFunction<zorv::SetAgainFn>(zorv::kSetAgainExport);
  if (set) set();
}

// A library without the switch always hears. `tell`: ask even when the hook hears already, so
// that the library learns of a trigger just turned on.
bool HearMoves(bool hear, bool tell = false) {
  if (const zorv::PointerRecord* record = RecordOfLibrary();
      hear && !tell && record && record->hearing)
    return true;
  static const auto set = LibraryFunction<zorv::HearMovesFn>(zorv::kHearMovesExport);
  return !set || set(hear ? 1 : 0) != 0;
}

Point SystemCursorPos() {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

Point Unpack(std::uint64_t packed) {
  return {static_cast<std::int32_t>(static_cast<std::uint32_t>(packed)),
          static_cast<std::int32_t>(static_cast<std::uint32_t>(packed >> 32))};
}

// The hook's record stands for the system's pointer only while the two agree. They part where
// the hook hears no move (a window hangs; the system dropped the hook; another program or ours
// set the pointer) and where the hook's point is not the program's (scaled coordinates, a
// clipped pointer). So a read now and then asks the system too, and while the two differ every
// read does, until they agree again.
struct RecordTrust {
  static constexpr int kAskEvery = 8;
  bool agreed = false;
  int sinceAsked = 0;
};
RecordTrust g_trust;
// What the last look at the pointer found.
Point g_lastSeen;

Point Look() {
  zorv::PointerRecord* record = RecordOfLibrary();
  if (!record) return SystemCursorPos();
  const std::uint64_t heard =
      record->hearing.load() ? record->position.load() : zorv::PointerRecord::kUnknown;
  if (heard != zorv::PointerRecord::kUnknown && g_trust.agreed &&
      ++g_trust.sinceAsked < RecordTrust::kAskEvery)
    return Unpack(heard);
  g_trust.sinceAsked = 0;
  const Point system = SystemCursorPos();
  // The hook hears a move before the system takes it: the record may be a move ahead.
  g_trust.agreed = heard != zorv::PointerRecord::kUnknown &&
                   (Unpack(heard) == system || Unpack(record->position.load()) == system);
  return system;
}

}  // namespace

Point GetCursorPos() { return g_lastSeen = Look(); }

void SetCursorPos(Point p) {
  // The hook hears no move the program makes itself.
  g_trust.agreed = false;
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
  zorv::PointerRecord* record = RecordOfLibrary();
  if (!record || !g_watch.MayWait(GetTickCount64(), AnyWindowHung)) return Woken::kNotWaiting;
  // Moves since the last wait ended wake this one at once: the passes in between may have
  // looked at the pointer before the system took the last of them.
  static std::uint32_t seen = 0;
  // While the loop looked at every pass, the hook may have been off: once it is back, the
  // pointer is where the last pass saw it, or it moved unheard meanwhile.
  const bool wasHearing = record->hearing.load();
  if (!wasHearing) {
    if (SystemCursorPos() != g_lastSeen) return Woken::kPointerMoved;
    if (!HearMoves(true)) return Woken::kNotWaiting;
  }
  POINT rest{};
  GetCursorPos(&rest);
  if (!wasHearing && Point{rest.x, rest.y} != g_lastSeen) return Woken::kPointerMoved;
  record->waiters.fetch_add(1);
  struct Leave {
    zorv::PointerRecord* record;
    ~Leave() { record->waiters.fetch_sub(1); }
  } leave{record};
  HANDLE moved = record->moved;
  for (;;) {
    // Counted in before this look: a move after it sets the event.
    if (const std::uint32_t moves = record->moves.load(); moves != seen) {
      seen = moves;
      // The loop looks at every pass now, and needs the hook no more until it rests again.
      HearMoves(false);
      return Woken::kPointerMoved;
    }
    // New messages only: input left queued for a loop of the system must not end every wait.
    const DWORD woken = MsgWaitForMultipleObjectsEx(
        1, &moved, static_cast<DWORD>(MovementWatch::kLookMs), QS_ALLINPUT, 0);
    // Set for a move already counted, the event says nothing more: the count tells.
    if (woken == WAIT_OBJECT_0) continue;
    if (woken != WAIT_TIMEOUT) return Woken::kMessage;
    // A look at the pointer and at the window in front now and then tells a silent library
    // from a resting pointer.
    POINT now{};
    const bool movedUnheard = GetCursorPos(&now) && (now.x != rest.x || now.y != rest.y);
    const auto verdict = g_watch.Look(GetTickCount64(), movedUnheard, ForegroundHung());
    if (!verdict.endWait) continue;
    if (verdict.reinstallHook) SetHookAgain();
    return movedUnheard ? Woken::kPointerMoved : Woken::kNotWaiting;
  }
}

}  // namespace vetrix::platform

namespace vetrix::win32 {

void DoubtHookLibrary() { platform::g_watch.Doubt(GetTickCount64()); }

void HearMovesForTrigger() { platform::HearMoves(true, true); }

}  // namespace vetrix::win32

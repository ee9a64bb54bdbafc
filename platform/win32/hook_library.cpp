#include "platform/win32/hook_library.h"

#include "platform/win32/win32.h"

namespace vetrix::win32 {

namespace {

template <class Fn>
Fn Export(HMODULE library, const char* name) {
  return library ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                 : nullptr;
}

Point Unpack(std::uint64_t packed) {
  return {static_cast<std::int32_t>(static_cast<std::uint32_t>(packed)),
          static_cast<std::int32_t>(static_cast<std::uint32_t>(packed >> 32))};
}

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

}  // namespace

HookLibrary& HookLibrary::Get() {
  static HookLibrary library;
  return library;
}

HookLibrary::HookLibrary()
    : exports_([] {
        const HMODULE library = GetModuleHandleW(L"Zorv.dll");
        return Exports{Export<zorv::PointerRecordFn>(library, zorv::kPointerRecordExport),
                       Export<zorv::HearMovesFn>(library, zorv::kHearMovesExport),
                       Export<zorv::SetAgainFn>(library, zorv::kSetAgainExport)};
      }()) {}

void HookLibrary::Install() { ::InstallHook(); }

void HookLibrary::Uninstall() { ::UnInstallHook(); }

void HookLibrary::SetTrigger(int button, bool on, bool holdBack) {
  const std::uintptr_t word = zorv::TriggerWord(static_cast<unsigned>(button), on, holdBack);
  SetPropW(MainWindowHandle(), zorv::kTriggerProperty, reinterpret_cast<HANDLE>(word));
  // The hook may have been taken off while only moves were heard: the trigger's buttons are
  // heard from now on.
  if (on) Hear(true, true);
}

void HookLibrary::Doubt() { trust_.Doubt(NowMs()); }

Point HookLibrary::ReadPointer() { return lastRead_ = trust_.Read(*this); }

void HookLibrary::PointerSet() { trust_.PointerSet(); }

platform::Woken HookLibrary::RestingWait() { return trust_.RestingWait(*this); }

zorv::PointerRecord* HookLibrary::Record() const {
  return exports_.record ? exports_.record() : nullptr;
}

bool HookLibrary::Hear(bool hear, bool tell) {
  if (const zorv::PointerRecord* record = Record(); hear && !tell && record && record->hearing)
    return true;
  return !exports_.hearMoves || exports_.hearMoves(hear ? 1 : 0) != 0;
}

bool HookLibrary::LibraryRuns() { return (waitingOn_ = Record()) != nullptr; }

bool HookLibrary::Hearing() { return waitingOn_->hearing.load(); }

// A library without the export has no record either, so no resting wait asks it.
void HookLibrary::SetHookAgain() {
  if (exports_.setAgain) exports_.setAgain();
}

std::optional<Point> HookLibrary::Heard() {
  const zorv::PointerRecord* record = Record();
  if (!record || !record->hearing.load()) return std::nullopt;
  const std::uint64_t position = record->position.load();
  if (position == zorv::PointerRecord::kUnknown) return std::nullopt;
  return Unpack(position);
}

platform::HookWorld::Wake HookLibrary::Wait(std::uint64_t ms) {
  zorv::PointerRecord& record = *waitingOn_;
  // Counted in before the look at the count: a move after it sets the event.
  record.waiters.fetch_add(1);
  struct Leave {
    zorv::PointerRecord& record;
    ~Leave() { record.waiters.fetch_sub(1); }
  } leave{record};
  HANDLE moved = record.moved;
  for (;;) {
    if (const std::uint32_t moves = record.moves.load(); moves != movesSeen_) {
      movesSeen_ = moves;
      return Wake::kMoveHeard;
    }
    // New messages only: input left queued for a loop of the system must not end every wait.
    const DWORD woken =
        MsgWaitForMultipleObjectsEx(1, &moved, static_cast<DWORD>(ms), QS_ALLINPUT, 0);
    // Set for a move already counted, the event says nothing more: the count tells.
    if (woken == WAIT_OBJECT_0) continue;
    return woken == WAIT_TIMEOUT ? Wake::kTimedOut : Wake::kMessage;
  }
}

std::uint64_t HookLibrary::NowMs() { return GetTickCount64(); }

// Where the system will not tell (another desktop has the input), the pointer is where it last
// said: a wait's look sees no move then, and a pass no jump.
Point HookLibrary::SystemPointer() {
  if (POINT p{}; ::GetCursorPos(&p)) lastSystem_ = {p.x, p.y};
  return lastSystem_;
}

bool HookLibrary::AnyWindowHung() {
  bool found = false;
  EnumWindows(FindHungWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// What a wait's look asks: under Wine every question is a request to its server, and asking
// about every window at each look made the idle program wake 5 times a second (about 1.8 now).
bool HookLibrary::ForegroundHung() {
  const HWND front = GetForegroundWindow();
  return front && IsHungAppWindow(front) &&
         GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId();
}

}  // namespace vetrix::win32

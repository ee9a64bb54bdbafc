// Zorv.dll: the mouse-hook library of Vetrix.
//
// InstallHook() finds the calling process's top-level window of class kMainWindowClass and
// starts a thread of its own that installs a WH_MOUSE_LL hook. For every press and release of
// the button the program listens to (the trigger's button while the trigger is on, as the
// property below says) the hook posts kHookMessage to that window, wParam = the button message
// seen (WM_LBUTTONDOWN 513 ... WM_MBUTTONUP 520), lParam = 0. Other buttons, moves, the wheel
// and the X buttons are not posted. The hook never waits for the window, so a busy GUI thread
// cannot stall the system's mouse. UnInstallHook() stops the thread; once it
// has returned, no kHookMessage arrives any more. Both are safe to call in any order and more
// than once; whenever something fails, the library posts nothing and lets all input through.
//
// Input tagged with kInjectedTag in dwExtraInfo is the program's own (SendInput) and passes
// the hook untouched: never posted, never held.
//
// Hold-back. The program tells the hook, through the window property kTriggerProperty on the
// main window, which button is the trigger, whether the trigger is on and whether the
// trigger's own clicks are to be held back. The value is one word in the property's HANDLE:
// bits 0-1 the button (kButtonNone, kButtonLeft, kButtonMiddle, kButtonRight), kTriggerOn,
// kTriggerHoldBack; build it with TriggerWord(). The hook reads it afresh at every button
// event. With all three set, a press of the trigger button is posted and then kept from the
// system, and its release is posted and then:
//   - if the pointer never left the system's drag rectangle around the press point while the
//     button was down (SM_CXDRAG pixels either side in x, SM_CYDRAG in y, as they were at the
//     press), the click is replayed with SendInput at the current position (down and up, both
//     tagged), so the window under the pointer gets a normal click;
//   - otherwise a gesture was drawn and the release is swallowed as well: the window under
//     the pointer sees no trace of it (no context menu for a right-button gesture).
// The decisions at the edges:
//   - Double click: each click is held and replayed as it ends; the replays keep the real
//     timing, so the target still sees its double click.
//   - Any other button's press or release while a press is held passes through untouched;
//     only one press is held at a time. A second press of the held button
//     means its release never reached the hook (the system skips a hook that answers too
//     late): that press is judged afresh, as if nothing were held.
//   - The trigger switched off, hold-back disabled or another button chosen while a press is
//     held: the hold is finished by the rule above at that button's release, since the system
//     has already been denied the press and must see either a whole click or nothing. The
//     release is posted only if the program still listens to the button.
//   - A release with no held press (the button went down before the trigger was set) passes.
//   - UnInstallHook while a press is held: nothing is replayed; the user's later release
//     reaches the target unpaired. Replaying the press would hand the target a press in the
//     middle of a gesture, which the release then turns into a drag (moved files, a
//     selection) with the left button; replaying a release would add a second unpaired one.
//     A lone release is what a target also gets for a button pressed before its window came
//     up; at worst a right one opens a context menu, as a plain right click would.
#pragma once

#include <atomic>
#include <cstdint>

#if !defined(_WIN32)
// Elsewhere only the pure hold-back rule is built, for its tests.
#define ZORV_API
#elif defined(ZORV_BUILDING)
#define ZORV_API __declspec(dllexport)
#else
#define ZORV_API __declspec(dllimport)
#endif

extern "C" {
ZORV_API void InstallHook(void);
ZORV_API void UnInstallHook(void);
}

namespace zorv {

// What the hook heard of the pointer, kept where the program reads it without asking the
// system; null (from the export below) while no hook runs. The hook writes the position, then
// counts the move, then sets `moved` if anyone waits. The library owns it all.
struct PointerRecord {
  static constexpr std::uint64_t kUnknown = ~std::uint64_t{0};
  // The last move's point, x in the low and y in the high 32 bits; kUnknown until the first
  // move after InstallHook.
  std::atomic<std::uint64_t> position{kUnknown};
  std::atomic<std::uint32_t> moves{0};
  // While above 0, the hook sets `moved` (an auto-reset event) at every move: a waiter counts
  // itself in, looks at `moves` once more, then waits.
  std::atomic<std::int32_t> waiters{0};
  void* moved = nullptr;
  // Whether the hook is set and hears moves (see HookHearMoves).
  std::atomic<bool> hearing{false};
};

constexpr std::uint64_t PackPoint(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>(x) | std::uint64_t{static_cast<std::uint32_t>(y)} << 32;
}

// None of these exports is part of the library's fixed interface (InstallHook, UnInstallHook):
// zorv.def exports them, and the program looks them up by name and, where a library lacks them,
// polls the pointer.
inline constexpr char kPointerRecordExport[] = "HookPointerRecord";
using PointerRecordFn = PointerRecord* (*)(void);
inline constexpr char kHearMovesExport[] = "HookHearMoves";
using HearMovesFn = int (*)(int);
inline constexpr char kSetAgainExport[] = "HookSetAgain";
using SetAgainFn = int (*)(void);

}  // namespace zorv

extern "C" {
zorv::PointerRecord* HookPointerRecord(void);
// The system drops a low-level hook that once answers late, and says nothing: while the
// trigger is on the library's thread looks at the pointer every few seconds and sets its hook
// again where the pointer moved unheard. HookSetAgain() does the same at once (a loop that found
// the pointer moved unheard): unhooks and hooks again on the hook thread, keeping a held press and
// the queue, but not while the trigger's button is down. Returns whether the hook is set now. Main
// window's thread only.
int HookSetAgain(void);
// Every move costs a low-level hook a round of the system's work (under Wine several requests to
// its server), and a loop that samples the pointer itself needs none of it. HookHearMoves(0)
// takes the hook off while nothing else needs it: not while the trigger is on (the property
// below) or a press is held back. HookHearMoves(1) puts it back. Either returns, once the hook
// thread has done it, whether the hook is set now (0 as well when no hook thread runs). Call
// both from the main window's thread only.
int HookHearMoves(int hear);
}

namespace zorv {

inline constexpr wchar_t kMainWindowClass[] = L"TtPshSqWjOIjq";
inline constexpr unsigned kHookMessage = 1145;  // 0x479, WM_USER + 121
// Posted to the main window when the hook could not be set for a while (wParam 1: the trigger's
// buttons are not heard) and when it is set again (0). The library keeps trying meanwhile.
inline constexpr unsigned kHookSilentMessage = 1146;  // WM_USER + 122

// dwExtraInfo of input the program injects itself: "VTRK".
inline constexpr std::uintptr_t kInjectedTag = 0x5654524Bu;

// Set with SetPropW(main window, kTriggerProperty, reinterpret_cast<HANDLE>(word)); remove it
// with RemovePropW before the window is destroyed. A missing property means 0: no hold-back.
inline constexpr wchar_t kTriggerProperty[] = L"VetrixMouseTrigger";

// The button numbers are those of the "MB" setting.
inline constexpr unsigned kButtonNone = 0;
inline constexpr unsigned kButtonLeft = 1;
inline constexpr unsigned kButtonMiddle = 2;
inline constexpr unsigned kButtonRight = 3;
inline constexpr unsigned kButtonMask = 0x3;
inline constexpr unsigned kTriggerOn = 1u << 8;
inline constexpr unsigned kTriggerHoldBack = 1u << 9;

constexpr std::uintptr_t TriggerWord(unsigned button, bool on, bool holdBack) {
  return (button & kButtonMask) | (on ? kTriggerOn : 0u) | (holdBack ? kTriggerHoldBack : 0u);
}

}  // namespace zorv

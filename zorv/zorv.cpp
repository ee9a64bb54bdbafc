// The exports and the hook thread. The GUI thread starts and stops the thread and asks it,
// through its queue, to take its hook off, put it back or set it afresh; the hook procedure runs
// on that thread (a low-level hook is called on the thread that set it) and owns the hold-back
// state. Shared are the closing flag, the pointer record and the answers to those requests.
#include "zorv/zorv.h"

#include <windows.h>

#include <atomic>
#include <utility>

#include "base/unique_handle.h"
#include "zorv/hold_back.h"

namespace {

using zorv::kInjectedTag;

using Handle = vetrix::UniqueHandle<HANDLE, &CloseHandle>;
using Hook = vetrix::UniqueHandle<HHOOK, &UnhookWindowsHookEx>;

// Thread messages of the hook thread: replay a held click of the button in wParam; hear moves
// (wParam 1) or not (0), or set the hook afresh, answering request lParam.
constexpr UINT kReplayMessage = WM_APP + 1;
constexpr UINT kHearMessage = WM_APP + 2;
constexpr UINT kSetAgainMessage = WM_APP + 3;
// How often the hook thread looks at the pointer for moves its hook did not hear (the system
// dropped it) and tries again a hook that could not be set. Under Wine each look wakes the
// program about five times (the timer, the server's answers): it looks only while the trigger
// is on, when no loop of the program looks at rest, or while a hook is wanted but not set.
constexpr UINT kLookMs = 5000;
// Failed tries in a row before the window is told that its buttons are not heard.
constexpr int kFailuresToTell = 3;
// Both only bound a thread that misbehaves; a healthy one answers in a millisecond.
constexpr DWORD kStartTimeoutMs = 2000;
constexpr DWORD kStopTimeoutMs = 1000;

// Set by UnInstallHook before it stops the thread: from then on everything passes unposted.
std::atomic<bool> g_closing{false};

// Set before the hook thread starts and only read while it runs.
HWND g_main = nullptr;
// Its event is made by the first InstallHook and kept for the process's life: a waiter may
// still hold it when the hook stops.
zorv::PointerRecord g_record;
// The last of HookHearMoves's numbered requests answered; the answer's event is made with the
// others.
std::atomic<LPARAM> g_hearAnswered{0};
HANDLE g_answered = nullptr;
// The hook thread's own.
zorv::HoldBack g_holdBack;

// The GUI thread's view of the running hook thread.
struct Running {
  Handle thread;
  DWORD id = 0;
  HWND main = nullptr;
};
Running g_running;

struct ButtonMessage {
  WPARAM message;
  unsigned button;
  bool down;
};

constexpr ButtonMessage kButtonMessages[] = {
    {WM_LBUTTONDOWN, zorv::kButtonLeft, true},   {WM_LBUTTONUP, zorv::kButtonLeft, false},
    {WM_MBUTTONDOWN, zorv::kButtonMiddle, true}, {WM_MBUTTONUP, zorv::kButtonMiddle, false},
    {WM_RBUTTONDOWN, zorv::kButtonRight, true},  {WM_RBUTTONUP, zorv::kButtonRight, false},
};

template <class Fn>
Fn Find(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                : nullptr;
}

// The DPI functions the drag rectangle needs, looked up by the hook thread as it starts and
// only read by it. Plain globals, not function statics: their thread-safe guards would pull
// libstdc++'s locking into the library (16 KiB grew to 101).
using ForDpiFn = int(WINAPI*)(int, UINT);
using MonitorDpiFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using SystemDpiFn = UINT(WINAPI*)();
ForDpiFn g_metricsForDpi = nullptr;
MonitorDpiFn g_monitorDpi = nullptr;
bool g_shcoreTried = false;
UINT g_systemDpi = 96;

void FindDpiFunctions() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  g_metricsForDpi = Find<ForDpiFn>(user32, "GetSystemMetricsForDpi");
  if (const auto systemDpi = Find<SystemDpiFn>(user32, "GetDpiForSystem"))
    g_systemDpi = systemDpi();
}

// The drag rectangle at the press, in the pixels of the press point's monitor: the hook sees
// physical points, and the rectangle is a distance of the hand. Windows 10 gives it for any
// DPI; before it, the system's is scaled from the system's DPI. Shcore is loaded the first
// time a press comes with more than one monitor (with one, its DPI is the system's).
zorv::Slop DragSlop(POINT at) {
  UINT dpi = g_systemDpi, unused = 0;
  if (GetSystemMetrics(SM_CMONITORS) > 1) {
    if (!g_shcoreTried) {
      g_shcoreTried = true;
      g_monitorDpi = Find<MonitorDpiFn>(
          LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    }
    if (!g_monitorDpi ||
        FAILED(g_monitorDpi(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), 0, &unused, &dpi)))
      dpi = g_systemDpi;
  }
  if (g_metricsForDpi) return {g_metricsForDpi(SM_CXDRAG, dpi), g_metricsForDpi(SM_CYDRAG, dpi)};
  const int system = static_cast<int>(g_systemDpi), here = static_cast<int>(dpi);
  return {MulDiv(GetSystemMetrics(SM_CXDRAG), here, system),
          MulDiv(GetSystemMetrics(SM_CYDRAG), here, system)};
}

// True when the system must not see the event.
bool Decide(WPARAM message, const MSLLHOOKSTRUCT& info) {
  const zorv::Point pt{info.pt.x, info.pt.y};
  if (message == WM_MOUSEMOVE) {
    g_record.position.store(zorv::PackPoint(pt.x, pt.y));
    g_record.moves.fetch_add(1);
    if (g_record.waiters.load() > 0) SetEvent(g_record.moved);
    g_holdBack.OnMove(pt);
    return false;
  }
  const ButtonMessage* seen = nullptr;
  for (const ButtonMessage& known : kButtonMessages) {
    if (known.message == message) seen = &known;
  }
  if (!seen) return false;
  const auto trigger = reinterpret_cast<std::uintptr_t>(GetPropW(g_main, zorv::kTriggerProperty));
  // Only what the program listens to: each message runs a handler that pumps its queue. A
  // window that cannot be posted to is gone: hold nothing new for it.
  const bool posted =
      zorv::Listened(seen->button, trigger) && PostMessageW(g_main, zorv::kHookMessage, message, 0);
  // Asked only for a press that may be held: a release is judged by the press's rectangle.
  const zorv::Slop drag = seen->down && posted ? DragSlop(info.pt) : zorv::Slop{};
  switch (g_holdBack.OnButton(seen->button, seen->down, pt, posted ? trigger : 0, drag)) {
    case zorv::Verdict::kPass:
      return false;
    case zorv::Verdict::kSwallow:
      return true;
    case zorv::Verdict::kReplay:
      // Injecting from inside the hook would race the release still being decided here;
      // from the thread's loop the replay surely comes after it.
      return PostThreadMessageW(GetCurrentThreadId(), kReplayMessage, seen->button, 0);
  }
  return false;
}

LRESULT CALLBACK MouseProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && !g_closing.load()) {
    const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lp);
    if (info.dwExtraInfo != kInjectedTag && Decide(wp, info)) return 1;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void Replay(unsigned button) {
  // Low-level hooks see the physical buttons, and so does SendInput: no swapping here.
  DWORD downFlag = MOUSEEVENTF_RIGHTDOWN, upFlag = MOUSEEVENTF_RIGHTUP;
  if (button == zorv::kButtonLeft) {
    downFlag = MOUSEEVENTF_LEFTDOWN;
    upFlag = MOUSEEVENTF_LEFTUP;
  } else if (button == zorv::kButtonMiddle) {
    downFlag = MOUSEEVENTF_MIDDLEDOWN;
    upFlag = MOUSEEVENTF_MIDDLEUP;
  }
  INPUT inputs[2]{};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dwExtraInfo = kInjectedTag;
  }
  inputs[0].mi.dwFlags = downFlag;
  inputs[1].mi.dwFlags = upFlag;
  SendInput(2, inputs, sizeof(INPUT));
}

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&MouseProc), &module);
  return module;
}

HHOOK SetHook() { return SetWindowsHookExW(WH_MOUSE_LL, MouseProc, ThisModule(), 0); }

// Nothing but moves would be missed without the hook.
bool OnlyMovesHeard() {
  const auto trigger = reinterpret_cast<std::uintptr_t>(GetPropW(g_main, zorv::kTriggerProperty));
  return !(trigger & zorv::kTriggerOn) && !g_holdBack.Holding();
}

// The hook thread's own.
struct HookState {
  Hook hook;
  UINT_PTR timer = 0;  // the slow look's
  bool wanted = true;  // not taken off by HookHearMoves(0)
  int failures = 0;    // tries in a row that set no hook
  bool told = false;   // the window knows its buttons are not heard
  zorv::SilenceWatch silence;
};

// After every try: the record says whether the hook is set, and the window learns when tries
// keep failing and when one succeeds again.
void Tried(HookState& state) {
  g_record.hearing = static_cast<bool>(state.hook);
  state.failures = state.hook ? 0 : state.failures + 1;
  const bool failing = state.failures >= kFailuresToTell;
  if (failing != state.told && PostMessageW(g_main, zorv::kHookSilentMessage, failing, 0))
    state.told = failing;
}

bool TriggerOn() {
  const auto trigger = reinterpret_cast<std::uintptr_t>(GetPropW(g_main, zorv::kTriggerProperty));
  return (trigger & zorv::kTriggerOn) != 0;
}

// The slow look runs only where it is needed.
void Watch(HookState& state) {
  const bool needed = state.wanted && (!state.hook || TriggerOn());
  if (needed && !state.timer) {
    state.timer = SetTimer(nullptr, 0, kLookMs, nullptr);
  } else if (!needed && state.timer) {
    KillTimer(nullptr, state.timer);
    state.timer = 0;
  }
}

// A press of the trigger's button is down: a button run is in progress, whose release must not
// fall into the moment without a hook.
bool ButtonRunInProgress() {
  if (g_holdBack.Holding()) return true;
  const auto trigger = reinterpret_cast<std::uintptr_t>(GetPropW(g_main, zorv::kTriggerProperty));
  if (!(trigger & zorv::kTriggerOn)) return false;
  const int keys[] = {0, VK_LBUTTON, VK_MBUTTON, VK_RBUTTON};
  const unsigned button = trigger & zorv::kButtonMask;
  return button != zorv::kButtonNone && (GetAsyncKeyState(keys[button]) & 0x8000);
}

// Unhooks and hooks again on this thread: the hold-back state and the queue stay as they are,
// and the new hook comes first in the system's chain. Not in the middle of a button run.
void SetAgain(HookState& state) {
  if (ButtonRunInProgress()) return;
  state.hook.reset();
  state.hook.reset(SetHook());
  Tried(state);
}

void Hear(HookState& state, bool hear) {
  if (hear) {
    state.wanted = true;
    if (!state.hook) {
      state.hook.reset(SetHook());
      Tried(state);
    }
  } else if (state.hook && OnlyMovesHeard()) {
    state.wanted = false;
    state.hook.reset();
    g_record.hearing = false;
  }
}

// The thread's slow look: a hook that is wanted but not set is tried again; one that heard
// nothing while the pointer moved is set again, as the system may have dropped it.
void Look(HookState& state) {
  if (!state.wanted) return;
  if (!state.hook) {
    state.hook.reset(SetHook());
    Tried(state);
    return;
  }
  POINT p{};
  if (!GetCursorPos(&p)) return;
  if (state.silence.Look(g_record.moves.load(), {p.x, p.y}, g_record.position.load()))
    SetAgain(state);
}

// param: the thread's own copy of the event that says the hook is set.
DWORD WINAPI HookThread(void* param) {
  const Handle ready(param);
  g_holdBack = {};
  FindDpiFunctions();
  // The queue must exist before InstallHook returns, or an early WM_QUIT would be lost.
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  HookState state;
  state.hook.reset(SetHook());
  // A hook that could not be set is tried again at every look.
  Tried(state);
  SetEvent(ready.get());
  Watch(state);
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd != nullptr) {
      DispatchMessageW(&msg);
    } else if (msg.message == kReplayMessage) {
      Replay(static_cast<unsigned>(msg.wParam));
    } else if (msg.message == kHearMessage || msg.message == kSetAgainMessage) {
      if (msg.message == kHearMessage) {
        Hear(state, msg.wParam != 0);
      } else if (state.wanted) {
        SetAgain(state);
      }
      Watch(state);
      g_hearAnswered = msg.lParam;
      SetEvent(g_answered);
    } else if (msg.message == WM_TIMER) {
      Look(state);
      Watch(state);
    }
  }
  g_record.hearing = false;
  return 0;
}

BOOL CALLBACK MatchMainWindow(HWND hwnd, LPARAM found) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != GetCurrentProcessId()) return TRUE;
  // Class names are at most 256 characters: a longer name never looks cut to ours.
  wchar_t name[257];
  if (GetClassNameW(hwnd, name, 257) == 0 || lstrcmpiW(name, zorv::kMainWindowClass) != 0) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

HWND FindMainWindow() {
  HWND found = nullptr;
  EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool Alive(const Handle& thread) { return WaitForSingleObject(thread.get(), 0) == WAIT_TIMEOUT; }

}  // namespace

extern "C" ZORV_API void InstallHook(void) {
  if (g_running.thread) {
    if (Alive(g_running.thread)) return;
    g_running = {};
  }
  const HWND main = FindMainWindow();
  if (!main) return;
  if (!g_record.moved) g_record.moved = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!g_answered) g_answered = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  // A new hook has heard nothing yet; what an earlier one heard may be long out of date.
  g_record.position = zorv::PointerRecord::kUnknown;
  Handle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  HANDLE theirs = nullptr;
  if (!ready || !DuplicateHandle(GetCurrentProcess(), ready.get(), GetCurrentProcess(), &theirs, 0,
                                 FALSE, DUPLICATE_SAME_ACCESS)) {
    return;
  }
  g_main = main;
  g_closing = false;
  DWORD id = 0;
  Handle thread(CreateThread(nullptr, 0, HookThread, theirs, 0, &id));
  if (!thread) {
    CloseHandle(theirs);
    return;
  }
  const HANDLE waits[] = {ready.get(), thread.get()};
  // The thread ending first means it could not start. A thread that is merely slow is kept:
  // UnInstallHook stops it like any other. A hook that could not be set is tried again there.
  if (WaitForMultipleObjects(2, waits, FALSE, kStartTimeoutMs) == WAIT_OBJECT_0 + 1) return;
  g_running = Running{std::move(thread), id, main};
}

extern "C" ZORV_API void UnInstallHook(void) {
  if (!g_running.thread) return;
  g_closing = true;
  PostThreadMessageW(g_running.id, WM_QUIT, 0, 0);
  // A thread that does not end in time is left to the process's exit; the closing flag has
  // already made its hook pass everything.
  const bool ended = WaitForSingleObject(g_running.thread.get(), kStopTimeoutMs) == WAIT_OBJECT_0;
  // What was posted before the flag took effect must not reach the window either. Only the
  // window's own thread can take messages from its queue; that is who calls this.
  MSG msg;
  while (PeekMessageW(&msg, g_running.main, zorv::kHookMessage, zorv::kHookMessage, PM_REMOVE)) {
  }
  if (ended) g_running = {};
}

extern "C" zorv::PointerRecord* HookPointerRecord(void) {
  return g_running.thread && !g_closing.load() && g_record.moved ? &g_record : nullptr;
}

namespace {

// Asks the hook thread and waits for its answer: whether the hook is set now.
int AskHookThread(UINT message, WPARAM wp) {
  if (!g_running.thread || g_closing.load() || !g_answered) return 0;
  static LPARAM lastAsked = 0;
  const LPARAM asked = ++lastAsked;
  if (!PostThreadMessageW(g_running.id, message, wp, asked)) return 0;
  // Answers come in order; an earlier request's may still be on its way.
  const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
  while (g_hearAnswered.load() < asked) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline ||
        WaitForSingleObject(g_answered, static_cast<DWORD>(deadline - now)) == WAIT_FAILED)
      return 0;
  }
  return g_record.hearing.load() ? 1 : 0;
}

}  // namespace

extern "C" int HookHearMoves(int hear) { return AskHookThread(kHearMessage, hear != 0); }

extern "C" int HookSetAgain(void) { return AskHookThread(kSetAgainMessage, 0); }

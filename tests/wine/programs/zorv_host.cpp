// Stands in for vetrix.exe around Zorv.dll in the hook library's tests: a hidden main window of the
// program's class, InstallHook at the end of its creation, the trigger property, and
// UnInstallHook first thing when closing. Everything happens in the current folder:
//
//   host.log   written: "drag W H" (the drag rectangle in effect), "ready install_ms=N",
//              "trigger 0xN", "hook N" per HookMouseMessage
//              (wParam), "blocked"/"unblocked", "uninstall_ms=N", "uninstall2_ms=N",
//              "late N" (a HookMouseMessage after UnInstallHook), "exit"
//   trigger    read every 20 ms: a new number there becomes the property's value
//   stop       ends the run: UnInstallHook twice, then exit (or linger, below)
//   unblock    ends the block of --block-on-down
//   exit       ends the lingering of --linger
//   look       logs "looked" (once per new file), after the check of that tick for moves
//   wait       runs the program's own resting wait (once per new file), see --silence
//   hear       with --record: "0" or "1" there is handed to HookHearMoves, which logs
//              "heard N = R" with its result
//   read       with --record: "N" there makes N reads of the pointer as the program reads it,
//              logged as one line "read X,Y X,Y ..."
//   setpos     with --record: "X Y" there moves the pointer as the program does; logs "set"
//   silence    with --record: starts the silencing of --silence; logs "silencing"
//
// zorv_host [--trigger N] [--class NAME] [--no-install] [--block-on-down] [--linger]
//           [--drag W H] [--seconds N] [--watch-event] [--silence] [--record]
//   --drag           sets the system's drag rectangle (SM_CXDRAG, SM_CYDRAG) for this session
//   --block-on-down  the first button-down message blocks the GUI thread, unpumped, until
//                    "unblock" appears: a main thread busy in a long handler
//   --linger         after UnInstallHook keep the window and pump its messages until "exit"
//   --watch-event    logs whether HookPointerRecord() is null before InstallHook, after it and
//                    after UnInstallHook ("event installed=1"...), and "moved" at every 20 ms
//                    tick that finds the record handed out after InstallHook counting more moves,
//                    until exit
//   --silence        after InstallHook, a low-level mouse hook of a thread of its own takes
//                    every move and passes none on, as the system does with a hook it has
//                    dropped: the library's hook reports nothing while the pointer moves. Logs
//                    "silenced N" as the count of moves it took grows. At "wait" it runs the
//                    program's WaitForMessageOrPointerMove until the pointer is seen to move,
//                    logging "waiting", then "woken message" per message and "woken pointer"
//   --record         at every "look" logs "record hearing=H at X Y" (X Y: "-" before the first
//                    move heard) and "system X Y", where the system has the pointer
#include <windows.h>

#include "tool_support.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "base/geometry.h"
#include "platform/system.h"
#include "zorv/zorv.h"

namespace {

struct Options {
  const wchar_t* windowClass = zorv::kMainWindowClass;
  std::uintptr_t trigger = 0;
  bool install = true;
  bool blockOnDown = false;
  bool linger = false;
  bool watchEvent = false;
  bool silence = false;
  bool record = false;
  int dragWidth = 0;  // 0: the system's own
  int dragHeight = 0;
  unsigned seconds = 60;
};

constexpr UINT_PTR kPollTimer = 1;
constexpr DWORD kBlockLimitMs = 20000;

Options g_options;
bool g_uninstalled = false;
bool g_blockedOnce = false;
std::uintptr_t g_trigger = 0;
ULONGLONG g_deadline = 0;
// The record handed out after InstallHook, watched to the end, and its moves logged so far.
const zorv::PointerRecord* g_watched = nullptr;
std::uint32_t g_movesLogged = 0;
// Moves taken by the silencing hook, and how many of them were logged.
volatile LONG g_silenced = 0;
LONG g_silencedLogged = 0;

bool Exists(const wchar_t* name) { return GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES; }

double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void SetTrigger(HWND hwnd, std::uintptr_t word) {
  g_trigger = word;
  SetPropW(hwnd, zorv::kTriggerProperty, reinterpret_cast<HANDLE>(word));
  test_tool::Log("trigger 0x%llx", static_cast<unsigned long long>(word));
}

void PollTriggerFile(HWND hwnd) {
  FILE* f = _wfopen(L"trigger", L"r");
  if (!f) return;
  char text[32] = {};
  const size_t n = std::fread(text, 1, sizeof text - 1, f);
  std::fclose(f);
  char* end = nullptr;
  const unsigned long long word = std::strtoull(text, &end, 0);
  // A file still being written reads as no number yet.
  if (n == 0 || end == text || (*end != '\n' && *end != '\0')) return;
  if (word != g_trigger) SetTrigger(hwnd, static_cast<std::uintptr_t>(word));
}

// A signal file seen once: taken away as it is acted on.
bool Take(const wchar_t* name) { return DeleteFileW(name) != FALSE; }

void LogEvent(const char* when) {
  test_tool::Log("event %s=%d", when, HookPointerRecord() != nullptr);
}

void LogRecord() {
  const zorv::PointerRecord* record = HookPointerRecord();
  if (!record) {
    test_tool::Log("record none");
    return;
  }
  const std::uint64_t position = record->position.load();
  if (position == zorv::PointerRecord::kUnknown) {
    test_tool::Log("record hearing=%d at - -", record->hearing.load() ? 1 : 0);
    return;
  }
  test_tool::Log("record hearing=%d at %d %d", record->hearing.load() ? 1 : 0,
                 static_cast<int>(static_cast<std::uint32_t>(position)),
                 static_cast<int>(static_cast<std::uint32_t>(position >> 32)));
}

bool StartSilencing();

// What only a file's first line says, or false without the file; the file is taken.
bool TakeLine(const wchar_t* name, char (&line)[64]) {
  FILE* f = _wfopen(name, L"r");
  if (!f) return false;
  const bool read = std::fgets(line, sizeof line, f) != nullptr;
  std::fclose(f);
  return read && Take(name);
}

void ReadPointer(int count) {
  char line[1024] = "read";
  for (int i = 0; i < count && i < 64; ++i) {
    const vetrix::Point p = vetrix::platform::GetCursorPos();
    const size_t used = std::strlen(line);
    std::snprintf(line + used, sizeof line - used, " %d,%d", static_cast<int>(p.x),
                  static_cast<int>(p.y));
  }
  test_tool::Log("%s", line);
}

// Every 20 ms tick with --record.
void RecordTick() {
  if (FILE* f = _wfopen(L"hear", L"r")) {
    const int asked = std::fgetc(f);
    std::fclose(f);
    if (asked == '0' || asked == '1') {
      Take(L"hear");
      const int hear = asked - '0';
      test_tool::Log("heard %d = %d", hear, HookHearMoves(hear));
    }
  }
  char line[64];
  if (TakeLine(L"read", line)) ReadPointer(std::atoi(line));
  if (int x = 0, y = 0; TakeLine(L"setpos", line) && std::sscanf(line, "%d %d", &x, &y) == 2) {
    vetrix::platform::SetCursorPos({x, y});
    test_tool::Log("set");
  }
  if (Take(L"silence") && StartSilencing()) test_tool::Log("silencing");
  if (Take(L"look")) {
    LogRecord();
    POINT p{};
    ::GetCursorPos(&p);
    test_tool::Log("system %ld %ld", p.x, p.y);
    test_tool::Log("looked");
  }
}

// Every 20 ms tick: a set event is a move the library reported.
void WatchTick() {
  if (g_watched && g_watched->moves.load() != g_movesLogged) {
    g_movesLogged = g_watched->moves.load();
    test_tool::Log("moved");
  }
  const LONG silenced = InterlockedCompareExchange(&g_silenced, 0, 0);
  if (silenced != g_silencedLogged) {
    g_silencedLogged = silenced;
    test_tool::Log("silenced %ld", silenced);
  }
  if (Take(L"look")) test_tool::Log("looked");
}

LRESULT CALLBACK SilencingProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == WM_MOUSEMOVE) {
    InterlockedIncrement(&g_silenced);
    // Let through to the system, but to no hook after this one.
    return 0;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

DWORD WINAPI SilencingThread(void* ready) {
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  // Set after the library's: the system calls the newest hook first.
  const HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, SilencingProc, GetModuleHandleW(nullptr), 0);
  SetEvent(ready);
  if (!hook) return 1;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  UnhookWindowsHookEx(hook);
  return 0;
}

bool StartSilencing() {
  const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE thread = CreateThread(nullptr, 0, SilencingThread, ready, 0, nullptr);
  if (!thread) return false;
  const HANDLE waits[] = {ready, thread};
  const bool hooked = WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0;
  CloseHandle(thread);
  return hooked;
}

// The program's resting wait, until it says the pointer moved. No timer runs meanwhile: its
// messages would end every wait.
void RestingWait(HWND hwnd) {
  KillTimer(hwnd, kPollTimer);
  test_tool::Log("waiting");
  for (bool moved = false; !moved;) {
    switch (vetrix::platform::WaitForMessageOrPointerMove()) {
      case vetrix::platform::Woken::kNotWaiting:
        test_tool::Log("not waiting");
        moved = true;
        break;
      case vetrix::platform::Woken::kPointerMoved:
        test_tool::Log("woken pointer");
        moved = true;
        break;
      case vetrix::platform::Woken::kMessage: {
        test_tool::Log("woken message");
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        break;
      }
    }
  }
  SetTimer(hwnd, kPollTimer, 20, nullptr);
}

void BlockUntilUnblocked() {
  test_tool::Log("blocked");
  const ULONGLONG limit = GetTickCount64() + kBlockLimitMs;
  while (!Exists(L"unblock") && GetTickCount64() < limit) Sleep(10);
  test_tool::Log("unblocked");
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == zorv::kHookMessage) {
    test_tool::Log(g_uninstalled ? "late %u" : "hook %u", static_cast<unsigned>(wp));
    const bool down = wp == WM_LBUTTONDOWN || wp == WM_MBUTTONDOWN || wp == WM_RBUTTONDOWN;
    if (g_options.blockOnDown && down && !g_blockedOnce) {
      g_blockedOnce = true;
      BlockUntilUnblocked();
    }
    return 0;
  }
  if (msg == WM_TIMER && wp == kPollTimer) {
    if (g_options.record) {
      RecordTick();
    } else if (g_options.watchEvent || g_options.silence) {
      WatchTick();
    }
    if (g_options.silence && Take(L"wait")) RestingWait(hwnd);
    if (g_uninstalled) {
      if (Exists(L"exit") || GetTickCount64() > g_deadline) PostQuitMessage(0);
    } else if (Exists(L"stop") || GetTickCount64() > g_deadline) {
      PostQuitMessage(0);
    } else {
      PollTriggerFile(hwnd);
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool Parse(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    const bool more = i + 1 < argc;
    if (!std::wcscmp(argv[i], L"--trigger") && more) {
      g_options.trigger = static_cast<std::uintptr_t>(std::wcstoull(argv[++i], nullptr, 0));
    } else if (!std::wcscmp(argv[i], L"--class") && more) {
      g_options.windowClass = argv[++i];
    } else if (!std::wcscmp(argv[i], L"--seconds") && more) {
      g_options.seconds = static_cast<unsigned>(std::wcstoul(argv[++i], nullptr, 10));
    } else if (!std::wcscmp(argv[i], L"--drag") && i + 2 < argc) {
      g_options.dragWidth = std::wcstol(argv[++i], nullptr, 10);
      g_options.dragHeight = std::wcstol(argv[++i], nullptr, 10);
    } else if (!std::wcscmp(argv[i], L"--no-install")) {
      g_options.install = false;
    } else if (!std::wcscmp(argv[i], L"--block-on-down")) {
      g_options.blockOnDown = true;
    } else if (!std::wcscmp(argv[i], L"--linger")) {
      g_options.linger = true;
    } else if (!std::wcscmp(argv[i], L"--watch-event")) {
      g_options.watchEvent = true;
    } else if (!std::wcscmp(argv[i], L"--silence")) {
      g_options.silence = true;
    } else if (!std::wcscmp(argv[i], L"--record")) {
      g_options.record = true;
    } else {
      return false;
    }
  }
  return true;
}

void PumpUntilQuit() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (!Parse(argc, argv)) {
    std::fputs(
        "usage: zorv_host [--trigger N] [--class NAME] [--no-install] [--block-on-down]"
        " [--linger] [--drag W H] [--seconds N] [--watch-event] [--silence] [--record]\n",
        stderr);
    return 2;
  }
  if (!test_tool::OpenLog(L"host.log")) return 3;
  g_deadline = GetTickCount64() + 1000ull * g_options.seconds;
  if (g_options.dragWidth > 0) {
    // Not saved in the prefix: it lasts as long as the session's wineserver.
    SystemParametersInfoW(SPI_SETDRAGWIDTH, static_cast<UINT>(g_options.dragWidth), nullptr, 0);
    SystemParametersInfoW(SPI_SETDRAGHEIGHT, static_cast<UINT>(g_options.dragHeight), nullptr, 0);
  }
  test_tool::Log("drag %d %d", GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));

  test_tool::RegisterToolClass(g_options.windowClass, WindowProc);
  // Hidden, as the real main window is once it sits in the tray.
  HWND hwnd = CreateWindowExW(0, g_options.windowClass, L"zorv host", WS_OVERLAPPEDWINDOW, 0, 0,
                              200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return 4;
  SetTrigger(hwnd, g_options.trigger);
  SetTimer(hwnd, kPollTimer, 20, nullptr);

  if (g_options.watchEvent) LogEvent("before_install");
  if (g_options.install) {
    const double start = NowMs();
    InstallHook();
    const double took = NowMs() - start;
    if ((g_watched = HookPointerRecord())) g_movesLogged = g_watched->moves.load();
    if (g_options.watchEvent) LogEvent("installed");
    if (g_options.silence && !StartSilencing()) return 5;
    test_tool::Log("ready install_ms=%.1f", took);
  } else {
    test_tool::Log("ready install_ms=0");
  }
  PumpUntilQuit();

  // What the hook reported up to here is logged before it goes.
  if (g_options.watchEvent) WatchTick();
  const double start = NowMs();
  UnInstallHook();
  const double middle = NowMs();
  UnInstallHook();
  test_tool::Log("uninstall_ms=%.1f", middle - start);
  test_tool::Log("uninstall2_ms=%.1f", NowMs() - middle);
  if (g_options.watchEvent) LogEvent("uninstalled");
  g_uninstalled = true;
  if (g_options.linger) PumpUntilQuit();

  RemovePropW(hwnd, zorv::kTriggerProperty);
  DestroyWindow(hwnd);
  // What came since the last tick.
  if (g_options.watchEvent) WatchTick();
  test_tool::Log("exit");
  std::fclose(test_tool::LogFile());
  return 0;
}

// Watches the screen cursor for the playback tests: xdotool cannot sample fast enough to see
// every 25 ms sub-step, GetCursorPos every millisecond can.
//
//   cursor_trace QUIET_MS TIMEOUT_MS
//
// Prints "start X Y" at once, then "at X Y" for each position that differs from the one before.
// Ends when the cursor has stood still for QUIET_MS after its first move, or after TIMEOUT_MS.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

void Print(const char* kind, POINT p) {
  char line[64];
  const int n = std::snprintf(line, sizeof line, "%s %ld %ld\n", kind, p.x, p.y);
  DWORD done = 0;
  // Unbuffered: the test reads "start" before it acts.
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(n), &done, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: cursor_trace QUIET_MS TIMEOUT_MS\n", stderr);
    return 2;
  }
  const DWORD quiet = static_cast<DWORD>(_wtoi(argv[1]));
  const DWORD timeout = static_cast<DWORD>(_wtoi(argv[2]));
  timeBeginPeriod(1);
  POINT last{};
  GetCursorPos(&last);
  Print("start", last);
  const DWORD begin = GetTickCount();
  DWORD lastMove = 0;
  bool moved = false;
  for (;;) {
    Sleep(1);
    const DWORD now = GetTickCount();
    POINT p{};
    GetCursorPos(&p);
    if (p.x != last.x || p.y != last.y) {
      Print("at", p);
      last = p;
      lastMove = now;
      moved = true;
    } else if (moved && now - lastMove >= quiet) {
      break;
    }
    if (now - begin >= timeout) break;
  }
  timeEndPeriod(1);
  return 0;
}

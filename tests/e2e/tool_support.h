// What the small Win32 programs of the end-to-end tests share: a log file that the test reads
// while they run (flushed after every line), and the message loop.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace e2e {

inline std::FILE*& LogFile() {
  static std::FILE* file = nullptr;
  return file;
}

inline bool OpenLog(const wchar_t* name) {
  LogFile() = _wfopen(name, L"a");
  return LogFile() != nullptr;
}

inline void Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(LogFile(), format, args);
  va_end(args);
  std::fputc('\n', LogFile());
  std::fflush(LogFile());
}

// Runs until WM_QUIT, then closes the log.
inline int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  std::fclose(LogFile());
  return 0;
}

}  // namespace e2e

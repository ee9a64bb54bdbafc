// Process-wide services of the platform: cursor, time, the message pump, the shell.
#pragma once

#include <cstdint>
#include <string>

#include "store/gesture_table.h"

namespace vetrix::platform {

Point GetCursorPos();
void SetCursorPos(Point p);
void Sleep(std::uint32_t ms);

// Dispatches every pending message, then returns. Handlers run re-entrantly from here.
void ProcessMessages();

// The program's main message loop; the process ends from inside a handler.
void RunMessageLoop();

// Opens a file through the shell with the default verb. Both texts are code page 1251.
void ShellOpen(const std::string& file, const std::string& workingDirectory);

// The single-instance guard: true for the first instance only.
bool AcquireInstanceGuard();

[[noreturn]] void ExitProcess(int code);

}  // namespace vetrix::platform

#include "platform/system.h"

#include "platform/dispatch.h"
#include "platform/win32/win32.h"
#include "text/texts.h"

namespace vetrix::platform {

using win32::Widen;

Point GetCursorPos() {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

void SetCursorPos(Point p) {
  ::SetCursorPos(p.x, p.y);
}

void Sleep(std::uint32_t ms) {
  ::Sleep(ms);
}

void ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void ShowErrorBox(const std::string& message) {
  MessageBoxW(win32::MainWindow(), Widen(message).c_str(), Widen(texts::kAppTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

void ShellOpen(const std::string& file, const std::string& workingDirectory) {
  const std::wstring dir = Widen(workingDirectory);
  ShellExecuteW(win32::MainWindow(), nullptr, Widen(file).c_str(), nullptr,
                dir.empty() ? nullptr : dir.c_str(), SW_SHOW);
}

bool AcquireInstanceGuard() {
  // Auto-reset and created signalled: the first instance's own wait consumes the signal, so
  // every later instance times out. The handle stays open for the life of the process.
  HANDLE guard = CreateEventA(nullptr, FALSE, TRUE, "Vetrix_MESSAGE");
  return guard != nullptr && WaitForSingleObject(guard, 10) == WAIT_OBJECT_0;
}

void ExitProcess(int code) {
  ::ExitProcess(static_cast<UINT>(code));
}

}  // namespace vetrix::platform

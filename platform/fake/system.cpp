#include "platform/system.h"

#include "platform/dispatch.h"
#include "platform/fake/world.h"

namespace vetrix::platform {

using fake::TheWorld;

Point GetCursorPos() {
  return TheWorld().cursor;
}
void SetCursorPos(Point p) {
  TheWorld().cursor = p;
}
void Sleep(std::uint32_t ms) {
  TheWorld().Advance(ms);
}
void ProcessMessages() {
  TheWorld().Pump();
}

void RunMessageLoop() {
  for (;;) {
    TheWorld().Pump();
    TheWorld().Advance(10);
  }
}

void ShowErrorBox(const std::string& message) {
  TheWorld().errorBoxes.push_back(message);
}

void ShellOpen(const std::string& file, const std::string& workingDirectory) {
  TheWorld().shellCalls.push_back({file, workingDirectory});
}

bool AcquireInstanceGuard() {
  auto& w = TheWorld();
  if (w.instanceGuardTaken) return false;
  w.instanceGuardTaken = true;
  return true;
}

void ExitProcess(int code) {
  throw fake::ProcessExit{code};
}

}  // namespace vetrix::platform

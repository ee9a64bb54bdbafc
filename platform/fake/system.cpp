#include "platform/system.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "platform/fake/world.h"
#include "platform/foreground.h"
#include "platform/handler.h"
#include "platform/profile.h"

namespace vetrix::platform {

using fake::TheWorld;

Point GetCursorPos() {
  auto& w = TheWorld();
  w.CatchUpTrack();
  ++w.readsSinceWarp;
  const bool echo = w.warpedFrom && std::find(w.warpEchoes.begin(), w.warpEchoes.end(),
                                              w.readsSinceWarp) != w.warpEchoes.end();
  w.cursorRead = echo ? *w.warpedFrom : w.cursor;
  return w.cursorRead;
}
Size ScreenSize() { return TheWorld().screen; }
std::int32_t DpiAt(Point screen) { return TheWorld().DpiAt(screen); }
void SetCursorPos(Point p) {
  auto& w = TheWorld();
  w.cursorSets.push_back({w.now, p});
  if (w.pointerHeld) return;
  if (p != w.cursor) {
    w.warpedFrom = w.cursor;
    w.readsSinceWarp = 0;
  }
  w.cursor = p;
}
void Sleep(std::uint32_t ms) { TheWorld().Advance(ms); }
Woken WaitForMessageOrPointerMove() { return TheWorld().WaitForActivity(); }
bool ProcessMessages() { return TheWorld().Pump(); }

void RunMessageLoop() {
  for (;;) {
    TheWorld().Pump();
    TheWorld().Advance(10);
  }
}

void ShowErrorBox(const std::string& message) { TheWorld().errorBoxes.push_back(message); }

void ShellOpen(const std::string& file, const std::string& workingDirectory) {
  TheWorld().shellCalls.push_back({file, workingDirectory, TheWorld().now});
}

namespace {

// A small US-like layout: enough names for scripts to hold the modifier keys down, and one for a
// code below 8.
struct LayoutKey {
  std::uint8_t vk;
  std::uint32_t scan;
  const char* name;
};
constexpr LayoutKey kLayout[] = {
    {3, 0x46, "Break"},      {8, 0x0E, "Backspace"}, {9, 0x0F, "Tab"},    {13, 0x1C, "Enter"},
    {16, 0x2A, "Shift"},     {17, 0x1D, "Ctrl"},     {18, 0x38, "Alt"},   {19, 0x45, "Pause"},
    {20, 0x3A, "Caps Lock"}, {27, 0x01, "Esc"},      {32, 0x39, "Space"}, {65, 0x1E, "A"},
    {67, 0x2E, "C"},         {86, 0x2F, "V"},        {112, 0x3B, "F1"},   {116, 0x3F, "F5"},
    {144, 0x45, "Num Lock"}, {186, 0x27, ";"},       {188, 0x33, ","},    {190, 0x34, "."},
    {191, 0x35, "/"},
};

// By key code: a name look-up asks for every code in turn.
constexpr auto kLayoutByCode = [] {
  std::array<const LayoutKey*, 256> byCode{};
  for (const auto& k : kLayout) byCode[k.vk] = &k;
  return byCode;
}();

const LayoutKey* FindLayoutKey(unsigned vk) { return vk <= 0xFF ? kLayoutByCode[vk] : nullptr; }

}  // namespace

std::string LayoutKeyName(std::uint8_t vk) {
  const LayoutKey* k = FindLayoutKey(vk);
  return k ? std::string(k->name) : std::string();
}

std::uint32_t ScanCodeOf(std::uint16_t code) {
  const LayoutKey* k = code <= 0xFF ? FindLayoutKey(code) : nullptr;
  return k ? k->scan : 0;
}

void SendKey(std::uint8_t vk, std::uint32_t scan, bool up) {
  TheWorld().keyEvents.push_back({vk, scan, up});
}

void SendToForeground(WindowCommand command) {
  auto& w = TheWorld();
  if (w.hangAtCommand && !w.foregroundHung) {
    w.foregroundHung = true;
    w.foregroundHungSince = w.now;
  }
  if (w.foregroundHung) {
    // The Win32 wait for the answer gives up.
    w.Advance(2000);
    w.hookTrust.Doubt(w.now);
    return;
  }
  switch (command) {
    case WindowCommand::Minimize:
      w.windowCommands.push_back("minimize");
      break;
    case WindowCommand::Maximize:
      w.windowCommands.push_back("maximize");
      w.foregroundZoomed = true;
      break;
    case WindowCommand::Restore:
      w.windowCommands.push_back("restore");
      w.foregroundZoomed = false;
      break;
    case WindowCommand::Close:
      w.windowCommands.push_back("close");
      break;
  }
}

bool ForegroundIsZoomed() { return TheWorld().foregroundZoomed; }

bool RegisterHotKey(std::int32_t modifiers, std::uint16_t key) {
  auto& w = TheWorld();
  ++w.hotKeyRegistrations;
  const fake::World::HotKey wanted{modifiers, key};
  for (const auto& taken : w.hotKeysTaken)
    if (taken == wanted) return false;
  // Like RegisterHotKey: the same id cannot be registered twice without unregistering.
  if (w.hotKey) return false;
  w.hotKey = wanted;
  return true;
}

void UnregisterHotKey() { TheWorld().hotKey.reset(); }
void InstallMouseHook() {
  auto& w = TheWorld();
  w.hookInstalled = true;
  w.hookDropped = false;
}
void UninstallMouseHook() { TheWorld().hookInstalled = false; }
void SetMouseTrigger(int button, bool on, bool holdBack) {
  TheWorld().mouseTrigger = {button, on, holdBack};
}

ForegroundWindow Foreground() { return TheWorld().foreground; }
std::string_view ForegroundProgram() {
  ++TheWorld().foregroundProgramLookups;
  return TheWorld().foreground.program;
}

std::vector<VisibleProgram> VisiblePrograms() { return TheWorld().visiblePrograms; }

void WatchForeground(std::function<void()> changed, bool followPlacement) {
  auto& w = TheWorld();
  w.foregroundWatch = std::move(changed);
  w.foregroundPlacementWatched = followPlacement;
}

void ShowMessageBox(std::string_view text, std::string_view caption) {
  TheWorld().messageBoxes.push_back({std::string(text), std::string(caption)});
}

std::optional<SystemPath> OpenFileDialog(std::string_view filter,
                                         std::string_view initialDirectory) {
  auto& w = TheWorld();
  w.dialogCalls.push_back({std::string(filter), std::string(initialDirectory)});
  if (w.dialogAnswers.empty()) return std::nullopt;
  auto answer = w.dialogAnswers.front();
  w.dialogAnswers.erase(w.dialogAnswers.begin());
  if (!answer) return std::nullopt;
  // Like the real dialog, confirming a file leaves the current directory at its folder.
  const auto slash = answer->find_last_of('\\');
  if (slash != std::string::npos) SetCurrentDirectory({answer->substr(0, slash)});
  return SystemPath{*answer};
}

bool AcquireInstanceGuard() {
  auto& w = TheWorld();
  if (w.instanceGuardTaken) return false;
  w.instanceGuardTaken = true;
  return true;
}

void ExitProcess(int code) { throw fake::ProcessExit{code}; }

std::uint64_t TickCountMs() { return TheWorld().now; }

LocalTime LocalTimeNow() {
  using namespace std::chrono;
  const auto& w = TheWorld();
  const sys_seconds at{seconds(w.localClockAtStart + static_cast<std::int64_t>(w.now / 1000))};
  const auto day = floor<days>(at);
  const year_month_day date(day);
  const hh_mm_ss time(at - day);
  return {static_cast<int>(date.year()),
          static_cast<int>(unsigned(date.month())),
          static_cast<int>(unsigned(date.day())),
          static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count())};
}

}  // namespace vetrix::platform

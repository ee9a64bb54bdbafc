// The hot key, the hook library and the program's own message box.
#include "platform/system.h"
#include "platform/win32/win32.h"
#include "zorv/zorv.h"

namespace vetrix::platform {

namespace {
constexpr int kHotkeyId = 34656;
}  // namespace

bool RegisterHotKey(std::int32_t modifiers, std::uint16_t key) {
  return ::RegisterHotKey(win32::MainWindow(), kHotkeyId, static_cast<UINT>(modifiers), key) !=
         FALSE;
}

void UnregisterHotKey() { ::UnregisterHotKey(win32::MainWindow(), kHotkeyId); }

void InstallMouseHook() { ::InstallHook(); }
void UninstallMouseHook() { ::UnInstallHook(); }

void SetMouseTrigger(int button, bool on, bool holdBack) {
  const std::uintptr_t word = zorv::TriggerWord(static_cast<unsigned>(button), on, holdBack);
  SetPropW(win32::MainWindow(), zorv::kTriggerProperty, reinterpret_cast<HANDLE>(word));
}

void ShowMessageBox(std::string_view text, std::string_view caption) {
  win32::ModalScope modal;
  MessageBoxW(win32::MainWindow(), win32::Widen(text).c_str(), win32::Widen(caption).c_str(),
              MB_OK | MB_ICONERROR);
}

Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace vetrix::platform

// The two ways recognition is triggered from outside: the global hot key and the mouse-hook
// library.
#include "platform/system.h"
#include "platform/win32/hook_library.h"
#include "platform/win32/win32.h"

namespace vetrix::platform {

namespace {
constexpr int kHotkeyId = 34656;
}  // namespace

bool RegisterHotKey(std::int32_t modifiers, std::uint16_t key) {
  return ::RegisterHotKey(win32::MainWindowHandle(), kHotkeyId, static_cast<UINT>(modifiers),
                          key) != FALSE;
}

void UnregisterHotKey() { ::UnregisterHotKey(win32::MainWindowHandle(), kHotkeyId); }

void InstallMouseHook() { win32::HookLibrary::Get().Install(); }
void UninstallMouseHook() { win32::HookLibrary::Get().Uninstall(); }

void SetMouseTrigger(int button, bool on, bool holdBack) {
  win32::HookLibrary::Get().SetTrigger(button, on, holdBack);
}

}  // namespace vetrix::platform

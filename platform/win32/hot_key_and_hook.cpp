// The two ways recognition is triggered from outside: the global hot key and the mouse-hook
// library.
#include "platform/system.h"
#include "platform/win32/win32.h"
#include "zorv/zorv.h"

namespace vetrix::platform {

namespace {
constexpr int kHotkeyId = 34656;
}  // namespace

bool RegisterHotKey(std::int32_t modifiers, std::uint16_t key) {
  return ::RegisterHotKey(win32::MainWindowHandle(), kHotkeyId, static_cast<UINT>(modifiers),
                          key) != FALSE;
}

void UnregisterHotKey() { ::UnregisterHotKey(win32::MainWindowHandle(), kHotkeyId); }

void InstallMouseHook() { ::InstallHook(); }
void UninstallMouseHook() { ::UnInstallHook(); }

void SetMouseTrigger(int button, bool on, bool holdBack) {
  const std::uintptr_t word = zorv::TriggerWord(static_cast<unsigned>(button), on, holdBack);
  SetPropW(win32::MainWindowHandle(), zorv::kTriggerProperty, reinterpret_cast<HANDLE>(word));
  // The hook may have been taken off while only moves were heard: the trigger's buttons are
  // heard from now on.
  if (on) win32::HearMovesForTrigger();
}

}  // namespace vetrix::platform

#include "recognition/hot_key.h"

#include "base/texts.h"
#include "platform/system.h"
#include "recognition/key_names.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

constexpr std::int32_t kModAlt = 1, kModControl = 2, kModShift = 4;

// Registers what the key field shows; on failure tells the user and frees the field for a
// new combination.
bool RegisterFromField(MainWindow& window) {
  SharedState& s = window.state;
  const std::uint16_t code = window.hotKeyField.Code();
  s.hotKeyModifiers = 0;
  if (code & kCtrlBit) s.hotKeyModifiers += kModControl;
  if (code & kAltBit) s.hotKeyModifiers += kModAlt;
  if (code & kShiftBit) s.hotKeyModifiers += kModShift;
  s.hotKeyCode = static_cast<std::uint16_t>(code & 0x1FFF);
  if (s.hotKeyCode == 0) {
    platform::UnregisterHotKey();
    return true;
  }
  if (platform::RegisterHotKey(s.hotKeyModifiers, s.hotKeyCode)) return true;
  platform::ShowMessageBox(texts::kWrongKey, texts::kErrorCaption);
  window.hotKeyField.SetEnabled(true);
  platform::UnregisterHotKey();
  return false;
}

}  // namespace

bool RefreshHotKey(MainWindow& window) {
  platform::UnregisterHotKey();
  if (!window.hotKeyModeBox.Checked()) window.hotKeyField.SetCode(0);
  if (RegisterFromField(window)) return true;
  window.hotKeyField.Focus();
  return false;
}

void RegisterHotKeyAtStartup(MainWindow& window) {
  // The window is not shown yet: the key field gets the focus at the first activation.
  if (!RegisterFromField(window)) window.focusHotKeyOnActivate = true;
}

void OnHotKeyModeClick(MainWindow& window) {
  if (window.hotKeyModeBox.Checked()) {
    WriteOption("HK", "yes");
    window.state.oneShot = true;
  } else {
    WriteOption("HK", "no");
    window.state.oneShot = false;
    platform::UnregisterHotKey();
    window.hotKeyField.SetCode(0);
  }
}

}  // namespace vetrix

#include "recognition/hot_key.h"

#include "platform/system.h"
#include "recognition/key_names.h"
#include "shell/main_form.h"
#include "text/texts.h"

namespace vetrix {
namespace {

constexpr std::int32_t kModAlt = 1, kModControl = 2, kModShift = 4;

// Registers what the key field shows; on failure tells the user and frees the field for a
// new combination.
bool RegisterFromField(MainForm& form) {
  SharedState& s = form.s;
  const std::uint16_t code = form.HK.Code();
  s.HotKeyModifiers = 0;
  if (code & kCtrlBit) s.HotKeyModifiers += kModControl;
  if (code & kAltBit) s.HotKeyModifiers += kModAlt;
  if (code & kShiftBit) s.HotKeyModifiers += kModShift;
  s.HotKeyCode = static_cast<std::uint16_t>(code & 0x1FFF);
  if (s.HotKeyCode == 0) {
    platform::UnregisterHotKey();
    return true;
  }
  if (platform::RegisterHotKey(s.HotKeyModifiers, s.HotKeyCode)) return true;
  platform::ShowMessageBox(texts::kWrongKey, texts::kErrorCaption);
  form.HK.SetEnabled(true);
  platform::UnregisterHotKey();
  return false;
}

}  // namespace

bool RefreshHotKey(MainForm& form) {
  platform::UnregisterHotKey();
  if (!form.CB.Checked()) form.HK.SetCode(0);
  if (RegisterFromField(form)) return true;
  form.HK.Focus();
  return false;
}

void RegisterHotKeyAtStartup(MainForm& form) {
  // The window is not shown yet: the key field gets the focus at the first activation.
  if (!RegisterFromField(form)) form.focusHotKeyOnActivate = true;
}

void OnHotKey(MainForm& form) { form.Button1.Click(); }

}  // namespace vetrix

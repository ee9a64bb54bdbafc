// The hot-key field over msctls_hotkey32. The control speaks HOTKEYF_* modifier bits in the
// high byte; the program speaks key-name codes (0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
#include "platform/controls.h"
#include "platform/win32/child.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace vetrix::platform {

namespace {

constexpr std::uint16_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;

std::uint16_t ToCode(LRESULT hotKey) {
  const auto vk = static_cast<std::uint16_t>(LOBYTE(LOWORD(hotKey)));
  const BYTE mods = HIBYTE(LOWORD(hotKey));
  std::uint16_t code = vk;
  if (mods & HOTKEYF_SHIFT) code |= kShift;
  if (mods & HOTKEYF_CONTROL) code |= kCtrl;
  if (mods & HOTKEYF_ALT) code |= kAlt;
  return code;
}

WPARAM FromCode(std::uint16_t code) {
  BYTE mods = 0;
  if (code & kShift) mods |= HOTKEYF_SHIFT;
  if (code & kCtrl) mods |= HOTKEYF_CONTROL;
  if (code & kAlt) mods |= HOTKEYF_ALT;
  return MAKEWORD(code & 0xFF, mods);
}

}  // namespace

struct HotKeyField::Impl {
  HWND hwnd = nullptr;
  ~Impl() { win32::DestroyChild(hwnd); }
};

HotKeyField::HotKeyField(const Args& args) : impl_(std::make_unique<Impl>()) {
  win32::InitCommonControlsOnce();
  impl_->hwnd = win32::CreateChild(args.parent.impl().hwnd, HOTKEY_CLASSW, "", WS_TABSTOP,
                                   WS_EX_CLIENTEDGE, args.rect, nullptr);
  // Shift as the only modifier is refused and replaced by no modifier at all.
  SendMessageW(impl_->hwnd, HKM_SETRULES, HKCOMB_S, MAKELPARAM(0, 0));
}
HotKeyField::~HotKeyField() = default;

void HotKeyField::SetCode(std::uint16_t code) {
  SendMessageW(impl_->hwnd, HKM_SETHOTKEY, FromCode(code), 0);
}
std::uint16_t HotKeyField::Code() const {
  return ToCode(SendMessageW(impl_->hwnd, HKM_GETHOTKEY, 0, 0));
}
void HotKeyField::SetEnabled(bool enabled) { EnableWindow(impl_->hwnd, enabled); }
bool HotKeyField::Enabled() const { return IsWindowEnabled(impl_->hwnd) != FALSE; }
void HotKeyField::Focus() { SetFocus(impl_->hwnd); }
bool HotKeyField::Focused() const { return GetFocus() == impl_->hwnd; }
void HotKeyField::SetBounds(Rect r) { win32::MoveChild(impl_->hwnd, r); }
Rect HotKeyField::Bounds() const { return win32::ChildBounds(impl_->hwnd); }

}  // namespace vetrix::platform

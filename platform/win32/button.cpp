#include "platform/controls.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

struct Button::Impl : win32::CommandTarget {
  Button* owner = nullptr;
  HWND hwnd = nullptr;
  ~Impl() override { win32::DestroyChild(hwnd); }
  void OnCommand(WORD code) override {
    if (code == BN_CLICKED) owner->Click();
  }
};

Button::Button(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->hwnd = win32::CreateChild(args.parent.impl().hwnd, L"BUTTON", args.caption,
                                   WS_TABSTOP | BS_PUSHBUTTON, 0, args.rect, impl_.get());
}
Button::~Button() = default;
void Button::SetBounds(Rect r) { win32::MoveChild(impl_->hwnd, r); }
void Button::SetCaption(std::string_view text) { SetWindowTextW(impl_->hwnd, Widen(text).c_str()); }
std::string Button::Caption() const { return Narrow(win32::WindowText(impl_->hwnd)); }
void Button::SetEnabled(bool enabled) { EnableWindow(impl_->hwnd, enabled); }
bool Button::Enabled() const { return IsWindowEnabled(impl_->hwnd) != FALSE; }
Rect Button::Bounds() const { return win32::ChildBounds(impl_->hwnd); }

}  // namespace vetrix::platform

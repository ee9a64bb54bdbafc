// Check boxes and radio buttons. Plain BS_CHECKBOX / BS_RADIOBUTTON: the state changes only
// through SetChecked, so a user's click (BN_CLICKED) and a change from code each run onClick
// exactly once.
#include "platform/controls.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

using win32::Narrow;

struct CheckBox::Impl : win32::CommandTarget {
  CheckBox* owner = nullptr;
  HWND hwnd = nullptr;
  bool radio = false;

  ~Impl() override { win32::DestroyChild(hwnd); }

  void OnCommand(WORD code) override {
    // BN_DOUBLECLICKED (a radio button's second click) is no new choice.
    if (code != BN_CLICKED) return;
    owner->SetChecked(radio || !owner->Checked());
  }
};

CheckBox::CheckBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->radio = args.radio;
  HWND parent = args.group ? args.group->impl().hwnd : args.parent.impl().hwnd;
  DWORD style = args.radio ? BS_RADIOBUTTON : BS_CHECKBOX | WS_TABSTOP;
  // The first radio button opens the group that the arrow keys move within.
  if (JoinGroup(args)) style |= WS_GROUP;
  impl_->hwnd =
      win32::CreateChild(parent, L"BUTTON", args.caption, style, 0, args.rect, impl_.get());
}
CheckBox::~CheckBox() { LeaveGroup(); }

void CheckBox::ShowChecked(bool checked) {
  SendMessageW(impl_->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!impl_->radio) return;
  // Only the chosen radio button of a group is a Tab stop, as in a dialog.
  const LONG_PTR style = GetWindowLongPtrW(impl_->hwnd, GWL_STYLE);
  SetWindowLongPtrW(impl_->hwnd, GWL_STYLE, checked ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}
bool CheckBox::Checked() const {
  return SendMessageW(impl_->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void CheckBox::SetEnabled(bool enabled) { EnableWindow(impl_->hwnd, enabled); }
bool CheckBox::Enabled() const { return IsWindowEnabled(impl_->hwnd) != FALSE; }
void CheckBox::SetBounds(Rect r) { win32::MoveChild(impl_->hwnd, r); }
Rect CheckBox::Bounds() const { return win32::ChildBounds(impl_->hwnd); }
std::string CheckBox::Caption() const { return Narrow(win32::WindowText(impl_->hwnd)); }

}  // namespace vetrix::platform

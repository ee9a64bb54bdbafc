// Check boxes and radio buttons. Plain BS_CHECKBOX / BS_RADIOBUTTON: the state changes only
// here, so a user's click (BN_CLICKED) and SetChecked from code each run onClick exactly once.
#include "platform/controls.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

using win32::Narrow;

struct CheckBox::Impl : win32::CommandTarget {
  CheckBox* owner = nullptr;
  HWND hwnd = nullptr;
  bool radio = false;
  bool grouped = false;

  ~Impl() override { win32::DestroyChild(hwnd); }

  void OnCommand(WORD code) override {
    // BN_DOUBLECLICKED (a radio button's second click) is no new choice.
    if (code != BN_CLICKED) return;
    owner->SetChecked(radio || !owner->Checked());
  }

  // Only the chosen radio button of a group is a Tab stop, as in a dialog.
  void Show(bool checked) {
    SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!radio) return;
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, checked ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
};

namespace {

// The radio buttons among the children of a group box, found through the windows themselves
// so that no list of them can outlive a control.
template <class F>
void ForEachRadio(HWND group, F&& f) {
  for (HWND h = GetWindow(group, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    auto* target = reinterpret_cast<win32::CommandTarget*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (auto* box = dynamic_cast<CheckBox::Impl*>(target); box && box->radio) f(*box);
  }
}

}  // namespace

CheckBox::CheckBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->radio = args.radio;
  impl_->grouped = args.group != nullptr;
  HWND parent = args.group ? args.group->impl().hwnd : args.parent.impl().hwnd;
  DWORD style = args.radio ? BS_RADIOBUTTON : BS_CHECKBOX | WS_TABSTOP;
  if (args.radio && args.group) {
    // The first radio button opens the group that the arrow keys move within.
    bool first = true;
    ForEachRadio(parent, [&](Impl&) { first = false; });
    if (first) style |= WS_GROUP;
  }
  impl_->hwnd =
      win32::CreateChild(parent, L"BUTTON", args.caption, style, 0, args.rect, impl_.get());
}
CheckBox::~CheckBox() = default;

void CheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  if (impl_->radio && checked && impl_->grouped) {
    ForEachRadio(GetParent(impl_->hwnd), [&](Impl& other) {
      if (&other != impl_.get()) other.Show(false);
    });
  }
  impl_->Show(checked);
  if (onClick) onClick();
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

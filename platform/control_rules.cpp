// The behaviour both worlds share, over each world's primitives: what runs a handler and when.
// The start-up order of the program depends on these rules, so they exist once.
#include <algorithm>

#include "platform/controls.h"

namespace vetrix::platform {

void Button::Click() {
  if (onClick) onClick();
}

bool CheckBox::JoinGroup(const Args& args) {
  radio_ = args.radio;
  if (!args.radio || !args.group) return false;
  group_ = args.group;
  const bool first = group_->radios_.empty();
  group_->radios_.push_back(this);
  return first;
}

void CheckBox::LeaveGroup() {
  if (!group_) return;
  auto& radios = group_->radios_;
  radios.erase(std::remove(radios.begin(), radios.end(), this), radios.end());
  group_ = nullptr;
}

void CheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  if (radio_ && checked && group_) {
    for (CheckBox* other : group_->radios_)
      if (other != this) other->ShowChecked(false);
  }
  ShowChecked(checked);
  if (onClick) onClick();
}

void SpinEdit::SetText(std::string_view text) {
  // Equal text is no change; this is also what ends a handler that sets the text it sees.
  if (Text() == text) return;
  ShowText(text);
  if (onChange) onChange();
}

}  // namespace vetrix::platform

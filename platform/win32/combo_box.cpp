// An editable combo box (CBS_DROPDOWN). The window's height includes the dropped-down list,
// so the rect given and returned is the closed field only.
#include "platform/controls.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

namespace {

constexpr int kDroppedRows = 8;

// What the dropped-down list adds to the field's height: its rows and its own border, above
// and below.
int ListHeight() { return win32::RowHeight(win32::FormDpi()) * kDroppedRows + 2; }

}  // namespace

struct ComboBox::Impl {
  HWND hwnd = nullptr;
  ~Impl() { win32::DestroyChild(hwnd); }

  // The entry chosen in the list, leaving the field's text alone: CB_SETCURSEL with -1 would
  // empty it.
  void Choose(int index) {
    if (SendMessageW(hwnd, CB_GETCURSEL, 0, 0) == index) return;
    const std::wstring text = win32::WindowText(hwnd);
    SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index < 0) SetWindowTextW(hwnd, text.c_str());
  }
};

ComboBox::ComboBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  Rect r = args.rect;
  r.height += ListHeight();
  impl_->hwnd =
      win32::CreateChild(args.parent.impl().hwnd, L"COMBOBOX", "",
                         WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, r, nullptr);
  SendMessageW(impl_->hwnd, CB_SETITEMHEIGHT, 0, win32::RowHeight(win32::FormDpi()));
}
ComboBox::~ComboBox() = default;

void ComboBox::SetText(std::string_view text) {
  const int chosen = Selected();
  SetWindowTextW(impl_->hwnd, Widen(text).c_str());
  // The edit may pick a list entry by prefix as its text changes; the choice stays only while
  // the text is still that entry's.
  impl_->Choose(chosen >= 0 && ItemText(chosen) == text ? chosen : -1);
}
std::string ComboBox::Text() const { return Narrow(win32::WindowText(impl_->hwnd)); }
void ComboBox::AddItem(std::string_view text) {
  SendMessageW(impl_->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}
void ComboBox::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  SendMessageW(impl_->hwnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}
int ComboBox::ItemCount() const {
  return static_cast<int>(SendMessageW(impl_->hwnd, CB_GETCOUNT, 0, 0));
}
std::string ComboBox::ItemText(int index) const {
  const LRESULT n = SendMessageW(impl_->hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  SendMessageW(impl_->hwnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return Narrow(text);
}
int ComboBox::Selected() const {
  return static_cast<int>(SendMessageW(impl_->hwnd, CB_GETCURSEL, 0, 0));
}
void ComboBox::Select(int index) {
  if (index < 0 || index >= ItemCount()) {
    impl_->Choose(-1);
    return;
  }
  // Choosing again puts the entry's text back into the field.
  SendMessageW(impl_->hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
void ComboBox::SetBounds(Rect r) {
  r.height += ListHeight();
  win32::MoveChild(impl_->hwnd, r);
}
Rect ComboBox::Bounds() const { return win32::ChildBounds(impl_->hwnd); }

}  // namespace vetrix::platform

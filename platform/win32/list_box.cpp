#include "platform/controls.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

struct ListBox::Impl : win32::CommandTarget {
  ListBox* owner = nullptr;
  HWND hwnd = nullptr;
  ~Impl() override { win32::DestroyChild(hwnd); }
  void OnCommand(WORD code) override {
    if (code == LBN_SELCHANGE && owner->onClick) owner->onClick();
    if (code == LBN_DBLCLK && owner->onDblClick) owner->onDblClick();
  }
};

ListBox::ListBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->hwnd = win32::CreateChild(args.parent.impl().hwnd, L"LISTBOX", "",
                                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                   WS_EX_CLIENTEDGE, args.rect, impl_.get());
  SendMessageW(impl_->hwnd, LB_SETITEMHEIGHT, 0, 13);
}
ListBox::~ListBox() = default;
void ListBox::SetBounds(Rect r) { win32::MoveChild(impl_->hwnd, r); }
Rect ListBox::Bounds() const { return win32::ChildBounds(impl_->hwnd); }
void ListBox::SetEnabled(bool enabled) { EnableWindow(impl_->hwnd, enabled); }
bool ListBox::Enabled() const { return IsWindowEnabled(impl_->hwnd) != FALSE; }
void ListBox::AddRow(std::string_view text) {
  SendMessageW(impl_->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}
void ListBox::DeleteRow(int row) { SendMessageW(impl_->hwnd, LB_DELETESTRING, row, 0); }
void ListBox::SetRowText(int row, std::string_view text) {
  if (row < 0 || row >= RowCount()) return;
  const bool selected = Selected() == row;
  SendMessageW(impl_->hwnd, LB_DELETESTRING, row, 0);
  SendMessageW(impl_->hwnd, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  if (selected) Select(row);
}
int ListBox::RowCount() const {
  return static_cast<int>(SendMessageW(impl_->hwnd, LB_GETCOUNT, 0, 0));
}
std::string ListBox::RowText(int row) const {
  const LRESULT n = SendMessageW(impl_->hwnd, LB_GETTEXTLEN, row, 0);
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  SendMessageW(impl_->hwnd, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(n));
  return Narrow(text);
}
void ListBox::Select(int row) { SendMessageW(impl_->hwnd, LB_SETCURSEL, row, 0); }
int ListBox::Selected() const {
  return static_cast<int>(SendMessageW(impl_->hwnd, LB_GETCURSEL, 0, 0));
}

}  // namespace vetrix::platform

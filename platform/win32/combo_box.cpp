// An editable combo box (CBS_DROPDOWN). The window's height includes the dropped-down list,
// so the rect given and returned is the closed field only.
#include <vector>

#include "base/dpi.h"
#include "platform/controls.h"
#include "platform/win32/child.h"
// After windows.h, which it needs.
#include <shellapi.h>

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

namespace {

// A list with icons: small icons, a row each (at 96 DPI).
constexpr int kIconSize = 16;
constexpr int kIconItemHeight = 18;
constexpr int kDroppedRows = 8;

// What the dropped-down list adds to the field's height: its rows and its own border, above
// and below.
int ListHeight() { return win32::RowHeight(win32::FormDpi()) * kDroppedRows + 2; }

}  // namespace

struct ComboBox::Impl : win32::CommandTarget {
  HWND hwnd = nullptr;
  // With icons: each entry's, in the list's order; null where the file has none.
  std::vector<HICON> icons;
  ~Impl() override {
    win32::DestroyChild(hwnd);
    for (HICON icon : icons)
      if (icon) DestroyIcon(icon);
  }
  void OnCommand(WORD) override {}

  // An entry of the list: its icon, then its text, as the shell's lists show programs.
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    if (item.itemID == static_cast<UINT>(-1)) return true;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const HICON icon = item.itemID < icons.size() ? icons[item.itemID] : nullptr;
    DrawIconEx(item.hDC, r.left + 2, r.top + (r.bottom - r.top - kIconSize) / 2,
               icon ? icon : LoadIconW(nullptr, MAKEINTRESOURCEW(32512)), kIconSize, kIconSize, 0,
               nullptr, DI_NORMAL);
    const LRESULT n = SendMessageW(hwnd, CB_GETLBTEXTLEN, item.itemID, 0);
    std::wstring text(n > 0 ? static_cast<std::size_t>(n) + 1 : 1, L'\0');
    if (n > 0) SendMessageW(hwnd, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    r.left += kIconSize + 6;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
  }

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
  const DWORD drawn = args.icons ? CBS_OWNERDRAWFIXED | CBS_HASSTRINGS : 0;
  impl_->hwnd = win32::CreateChild(args.parent.impl().hwnd, L"COMBOBOX", "",
                                   WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | drawn,
                                   0, r, args.icons ? impl_.get() : nullptr);
  const UINT dpi = win32::FormDpi();
  SendMessageW(
      impl_->hwnd, CB_SETITEMHEIGHT, 0,
      args.icons ? Scaled(kIconItemHeight, static_cast<std::int32_t>(dpi)) : win32::RowHeight(dpi));
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
  if (SendMessageW(impl_->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str())) >=
      0)
    impl_->icons.push_back(nullptr);
}
void ComboBox::AddItem(std::string_view text, const SystemPath& iconOf) {
  // From the file itself: nothing is asked of the program's windows.
  HICON icon = nullptr;
  ExtractIconExW(win32::WidenPath(iconOf).c_str(), 0, nullptr, &icon, 1);
  const LRESULT at =
      SendMessageW(impl_->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  if (at < 0) {
    if (icon) DestroyIcon(icon);
    return;
  }
  impl_->icons.push_back(icon);  // no sorting: it is the last entry
}
void ComboBox::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  SendMessageW(impl_->hwnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  if (static_cast<std::size_t>(index) < impl_->icons.size()) {
    if (impl_->icons[index]) DestroyIcon(impl_->icons[index]);
    impl_->icons.erase(impl_->icons.begin() + index);
  }
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

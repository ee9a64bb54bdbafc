#include "platform/controls.h"
#include "platform/handler.h"
#include "platform/win32/child.h"
// After windows.h, which they need.
#include <commctrl.h>
#include <windowsx.h>

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

struct ListBox::Impl : win32::CommandTarget {
  ListBox* owner = nullptr;
  HWND hwnd = nullptr;
  PopupMenu* menu = nullptr;
  // Rows added while the window is hidden (loading at start) are not drawn one by one: under
  // Wine each one asks the server to redraw the list. It draws them all when it first paints.
  bool redrawHeld = false;
  ~Impl() override { win32::DestroyChild(hwnd); }
  void OnCommand(WORD code) override {
    if (code == LBN_SELCHANGE && owner->onClick) owner->onClick();
    if (code == LBN_DBLCLK && owner->onDblClick) owner->onDblClick();
  }

  // From the keyboard (lParam -1) there is no click point: under the selected row, or at the
  // list's top left.
  Point MenuPoint(LPARAM lp) const {
    if (lp != -1) return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT r{};
    const LRESULT row = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR || SendMessageW(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(&r)) == LB_ERR)
      r = {};
    POINT p{r.left, r.bottom};
    ClientToScreen(hwnd, &p);
    return {p.x, p.y};
  }
};

namespace {

// The list box class's own procedure.
WNDPROC g_listBoxProc = nullptr;

LRESULT CALLBACK ContextMenuProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    auto* impl = dynamic_cast<ListBox::Impl*>(win32::TargetOf(hwnd));
    if (impl && impl->redrawHeld) {
      impl->redrawHeld = false;
      CallWindowProcW(g_listBoxProc, hwnd, WM_SETREDRAW, TRUE, 0);
    }
  }
  if (msg == WM_CONTEXTMENU) {
    // Through the child's object, which DestroyChild forgets before the object goes.
    auto* impl = dynamic_cast<ListBox::Impl*>(win32::TargetOf(hwnd));
    if (impl && impl->menu) {
      const Point at = impl->MenuPoint(lp);
      RunHandler([&] { impl->menu->ShowAt(at); });
      return 0;
    }
  }
  return CallWindowProcW(g_listBoxProc, hwnd, msg, wp, lp);
}

}  // namespace

ListBox::ListBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->hwnd = win32::CreateChild(args.parent.impl().hwnd, L"LISTBOX", "",
                                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                   WS_EX_CLIENTEDGE, args.rect, impl_.get());
  SendMessageW(impl_->hwnd, LB_SETITEMHEIGHT, 0, win32::RowHeight(win32::FormDpi()));
  // The list box itself ignores the right button, so the click that opens the menu leaves the
  // selection alone.
  g_listBoxProc = win32::PutInFront(impl_->hwnd, ContextMenuProc);
}
ListBox::~ListBox() = default;
void ListBox::SetBounds(Rect r) { win32::MoveChild(impl_->hwnd, r); }
Rect ListBox::Bounds() const { return win32::ChildBounds(impl_->hwnd); }
void ListBox::SetEnabled(bool enabled) {
  // A disabled window keeps no focus, and keys then reach no window as characters: Esc would
  // no longer end a playback. The form takes the focus instead.
  if (!enabled && GetFocus() == impl_->hwnd) SetFocus(GetAncestor(impl_->hwnd, GA_ROOT));
  EnableWindow(impl_->hwnd, enabled);
}
bool ListBox::Enabled() const { return IsWindowEnabled(impl_->hwnd) != FALSE; }
void ListBox::AddRow(std::string_view text) {
  if (!impl_->redrawHeld && !IsWindowVisible(impl_->hwnd)) {
    SendMessageW(impl_->hwnd, WM_SETREDRAW, FALSE, 0);
    impl_->redrawHeld = true;
  }
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
void ListBox::SetContextMenu(PopupMenu* menu) { impl_->menu = menu; }
PopupMenu* ListBox::ContextMenu() const { return impl_->menu; }

}  // namespace vetrix::platform

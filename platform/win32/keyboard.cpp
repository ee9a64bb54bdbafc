// The main window's keyboard. Navigation between its controls: IsDialogMessage would do it, but
// it also takes Enter, Esc and the dialog's mnemonics, which the window's own key handler must
// see first; so only Tab and the arrow keys are handled, here, with the dialog manager's rules.
// And the preview that shows the window every typed character before the control gets it.
#include "platform/handler.h"
#include "platform/win32/child.h"
#include "platform/win32/win32.h"

namespace vetrix::win32 {

namespace {

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// The control that the focus belongs to: a combo box's inner edit stands for the combo box.
HWND ControlOf(HWND top, HWND focus) {
  while (focus && focus != top) {
    HWND parent = GetParent(focus);
    if (parent == top || (GetWindowLongPtrW(parent, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
      return focus;
    focus = parent;
  }
  return nullptr;
}

bool Takes(HWND hwnd, LRESULT code) {
  return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP) || (code & DLGC_RADIOBUTTON);
}

// Arrows step through the group as a dialog's do, but only onto controls that Tab would reach
// or onto radio buttons: not onto the drawing area or an up-down's arrows.
HWND NextInGroup(HWND top, HWND from, bool previous) {
  HWND next = from;
  for (int guard = 0; guard < 256; ++guard) {
    next = GetNextDlgGroupItem(top, next, previous);
    if (!next || next == from) return nullptr;
    if (Takes(next, SendMessageW(next, WM_GETDLGCODE, 0, 0))) return next;
  }
  return nullptr;
}

void Focus(HWND hwnd) {
  // An edit reached from the keyboard has its text selected, as in a dialog.
  if (SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
  SetFocus(hwnd);
}

}  // namespace

bool NavigationKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  const WPARAM key = msg.wParam;
  const bool tab = key == VK_TAB;
  if (!tab && key != VK_LEFT && key != VK_RIGHT && key != VK_UP && key != VK_DOWN) return false;
  HWND top = MainWindowHandle();
  if (!top || !msg.hwnd || (msg.hwnd != top && !IsChild(top, msg.hwnd))) return false;

  // A control that takes the key itself (a list's arrows, an edit's caret) keeps it.
  const LRESULT wants = SendMessageW(msg.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
  if (wants & DLGC_WANTALLKEYS) return false;
  if (wants & (tab ? DLGC_WANTTAB : DLGC_WANTARROWS)) return false;

  HWND from = ControlOf(top, msg.hwnd);
  if (tab) {
    HWND next = GetNextDlgTabItem(top, from, Down(VK_SHIFT));
    if (next) Focus(next);
    return true;
  }
  if (!from) return false;
  HWND next = NextInGroup(top, from, key == VK_LEFT || key == VK_UP);
  if (next) Focus(next);
  return true;
}

void PreviewKey(const MSG& msg) {
  if (msg.message != WM_CHAR) return;
  HWND main = MainWindowHandle();
  if (!main || (msg.hwnd != main && !IsChild(main, msg.hwnd))) return;
  auto* impl = reinterpret_cast<platform::Window::Impl*>(GetWindowLongPtrW(main, GWLP_USERDATA));
  if (!impl || !impl->owner->onKeyPress) return;
  const wchar_t wide = static_cast<wchar_t>(msg.wParam);
  const std::string narrow = Narrow(std::wstring_view(&wide, 1));
  if (narrow.size() != 1) return;
  platform::RunHandler([&] { impl->owner->onKeyPress(narrow[0]); });
}

}  // namespace vetrix::win32

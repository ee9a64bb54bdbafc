// A number field: an EDIT with an up-down buddy that shares the given rect. Typing is limited
// to what a number may hold ("+", "-" and the decimal separator too, which ES_NUMBER refuses).
#include <string>

#include "platform/controls.h"
#include "platform/win32/child.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

namespace {

// The edit class's own procedure.
WNDPROC g_editProc = nullptr;

bool NumberChar(WPARAM ch) {
  // Control characters carry Backspace and the clipboard keys; Enter has no place in a number.
  if (ch < 0x20) return ch != VK_RETURN;
  if ((ch >= L'0' && ch <= L'9') || ch == L'+' || ch == L'-') return true;
  wchar_t sep[4] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 4);
  return ch == static_cast<WPARAM>(sep[0]);
}

LRESULT CALLBACK NumberKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR && !NumberChar(wp)) return 0;
  return CallWindowProcW(g_editProc, hwnd, msg, wp, lp);
}

}  // namespace

struct SpinEdit::Impl : win32::CommandTarget {
  SpinEdit* owner = nullptr;
  HWND edit = nullptr;
  HWND arrows = nullptr;
  // What the arrows take from the edit's width when they align themselves to its right.
  int arrowsWidth = 0;
  // SetText runs onChange itself, outside any window procedure, so that an error in the
  // handler reaches the code that set the text, as in the fake.
  bool showingText = false;

  ~Impl() override {
    // The arrows subclass their buddy; they go first and take that with them.
    win32::DestroyChild(arrows);
    win32::DestroyChild(edit);
  }

  void OnCommand(WORD code) override {
    if (code == EN_CHANGE && !showingText && owner->onChange) owner->onChange();
    if (code == EN_KILLFOCUS && owner->onExit) owner->onExit();
  }
};

SpinEdit::SpinEdit(const Args& args) : impl_(std::make_unique<Impl>()) {
  win32::InitCommonControlsOnce();
  impl_->owner = this;
  HWND parent = args.parent.impl().hwnd;
  impl_->edit =
      win32::CreateChild(parent, L"EDIT", std::to_string(args.minimum), WS_TABSTOP | ES_AUTOHSCROLL,
                         WS_EX_CLIENTEDGE, args.rect, impl_.get());
  g_editProc = win32::PutInFront(impl_->edit, NumberKeys);
  impl_->arrows = win32::CreateChild(
      parent, UPDOWN_CLASSW, "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
      0, {}, nullptr);
  SendMessageW(impl_->arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(impl_->edit), 0);
  SendMessageW(impl_->arrows, UDM_SETRANGE32, static_cast<WPARAM>(args.minimum),
               static_cast<LPARAM>(args.maximum));
  SendMessageW(impl_->arrows, UDM_SETPOS32, 0, static_cast<LPARAM>(args.minimum));
  impl_->arrowsWidth = args.rect.width - win32::ChildBounds(impl_->edit).width;
}
SpinEdit::~SpinEdit() = default;

void SpinEdit::ShowText(std::string_view text) {
  impl_->showingText = true;
  SetWindowTextW(impl_->edit, Widen(text).c_str());
  impl_->showingText = false;
}
std::string SpinEdit::Text() const { return Narrow(win32::WindowText(impl_->edit)); }
void SpinEdit::SetBounds(Rect r) {
  if (Bounds() == r) return;
  win32::MoveChild(impl_->edit, r);
  // Setting the buddy again makes the arrows take their place at its right edge once more, at
  // their width for the window's DPI.
  SendMessageW(impl_->arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(impl_->edit), 0);
  impl_->arrowsWidth = r.width - win32::ChildBounds(impl_->edit).width;
}
Rect SpinEdit::Bounds() const {
  Rect r = win32::ChildBounds(impl_->edit);
  r.width += impl_->arrowsWidth;
  return r;
}

}  // namespace vetrix::platform

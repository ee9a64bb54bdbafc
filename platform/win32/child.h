// What every control wrapper of the Win32 side shares: the parent windows' state, the form
// font, creating and placing a child window, and the reflection of WM_COMMAND from a child to
// its C++ object.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/win32/win32.h"

namespace vetrix::win32 {

// A child control that wants its WM_COMMAND notifications. CreateChild records it for the
// child's window; whichever window procedure receives the notification hands it on.
struct CommandTarget {
  virtual ~CommandTarget() = default;
  virtual void OnCommand(WORD code) = 0;
  // An owner-drawn control's item; false where the control draws nothing itself.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
};

}  // namespace vetrix::win32

namespace vetrix::platform {

struct Window::Impl {
  Window* owner = nullptr;
  HWND hwnd = nullptr;
  // The application window: invisible, owner of hwnd, the program's taskbar entry.
  HWND app = nullptr;
  std::map<UINT_PTR, Handler*> timers;
  UINT_PTR nextTimerId = 1;
  // Creation has ended with the window's first showing; the first activation counts only from
  // then on.
  bool created = false;
  bool activated = false;
  // At 96 DPI; the window's DPI scales it.
  Size minimumSize;
  UINT dpi = 96;
  // The control that had the focus when the window was last deactivated, as a dialog keeps it.
  HWND lastFocus = nullptr;
  // A dialog's owner; null for the main window.
  HWND dialogOwner = nullptr;
};

struct GroupBox::Impl {
  HWND hwnd = nullptr;
  ~Impl();
};

}  // namespace vetrix::platform

namespace vetrix::win32 {

// The form font at a DPI.
HFONT FormFont(UINT dpi);
// The main window's DPI, which its controls take their font and rows from; the main window
// sets it when it is made and when its DPI changes.
void SetFormDpi(UINT dpi);
UINT FormDpi();
// Gives a control of the main window the form font and row heights of the window's DPI.
void FitToDpi(HWND control, UINT dpi);
// A list's or combo box's row height at a DPI.
int RowHeight(UINT dpi);
// A dialog of the program's own (a Window made with an owner).
bool IsDialogWindow(HWND hwnd);
// The owner of a box or the open dialog: a dialog of ours that is active, else the main window.
// Under Wine an owned window drops behind its owner once a box owned by the owner closes.
HWND BoxOwner();
std::wstring WindowText(HWND hwnd);

// A visible child with the form font, its WM_COMMAND handed to target (may be null).
HWND CreateChild(HWND parent, const wchar_t* cls, std::string_view text, DWORD style, DWORD exStyle,
                 const Rect& r, CommandTarget* target);
// The object a child was made for; null for none, or once it is destroyed.
CommandTarget* TargetOf(HWND hwnd);
// Detaches the child from its C++ object first: destroying a focused child sends
// notifications (EN_KILLFOCUS, ...) while the object is already going.
void DestroyChild(HWND hwnd);

// In the client coordinates of the child's parent.
Rect ChildBounds(HWND hwnd);
void MoveChild(HWND hwnd, const Rect& bounds);

// Puts `procedure` in front of a control's own, which it passes everything else to with
// CallWindowProcW; returns that procedure (the class's, the same for every control of a class).
// Not comctl32's SetWindowSubclass: under Wine every message to a window subclassed that way
// asks the server for a window property first: adding 101 rows to a list took 17 ms, not 0.1.
WNDPROC PutInFront(HWND hwnd, WNDPROC procedure);

// Hands a WM_COMMAND from a child to its CommandTarget; false when it is not from one.
bool ReflectCommand(WPARAM wp, LPARAM lp);
// WM_DRAWITEM handed to the control it draws for; false when it is none of ours.
bool ReflectDrawItem(LPARAM lp);

// The hot-key and up-down classes live in comctl32 and need registering once.
void InitCommonControlsOnce();

}  // namespace vetrix::win32

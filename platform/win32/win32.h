// Shared by the Win32 implementation only.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

// windows.h maps this name to its A or W form, which would silently rename the seam's own
// function of that name in every file that includes this header.
#undef SetCurrentDirectory

#include <string>
#include <string_view>

#include "base/path.h"

namespace vetrix::win32 {

// Texts are code page 1251 inside the program; the W functions show them right under any
// system code page.
std::wstring Widen(std::string_view cp1251);
std::string Narrow(std::wstring_view utf16);
// Paths keep every character: UTF-8 inside the program.
std::wstring WidenPath(const SystemPath& path);
SystemPath PathOf(std::wstring_view utf16);

// While a modal loop runs on this thread, the loops of the program (recognition, the hook
// message's handler) must not take that loop's mouse and keyboard input out of the queue, or a
// click on a menu item is lost and a window dragged by its caption goes on following the
// pointer after the release. They still dispatch every other message: timers, the tray, the
// hook library's messages. The loops are a menu, a dialog or a message box of ours, each
// inside a scope, and the system's own: moving or sizing a window, a menu, a scroll bar's
// tracking.
class ModalScope {
 public:
  ModalScope();
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
  // Whether a loop of ours or of the system runs.
  static bool Active();
};

// The shell may start an action or fill its dialog through a COM extension, which needs COM on
// the calling thread: the window's, so single-threaded. Made ready when first needed, not at
// start: under Wine it makes a window of its own, some thirty round trips to the server.
void NeedCom();

// Hands a character typed anywhere in the main window to its key handler first.
void PreviewKey(const MSG& msg);

// The main window, once created; owner of message boxes and shell calls.
HWND MainWindowHandle();
void SetMainWindowHandle(HWND hwnd);

// The tray icon's mouse messages reach the main window as this message.
inline constexpr UINT kTrayMessage = 1026;

// Moves the focus between the main window's controls for Tab, Shift+Tab and the arrow keys, as
// a dialog does; true when the message was used up.
bool NavigationKey(const MSG& msg);

}  // namespace vetrix::win32

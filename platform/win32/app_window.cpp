#include "platform/win32/app_window.h"

#include "base/texts.h"
#include "platform/win32/window_class.h"

namespace vetrix::win32 {

namespace {

constexpr wchar_t kAppClassName[] = L"VetrixApplication";
// Posted to itself: the activation is handed on once the one under way has finished.
constexpr UINT kForwardActivationMessage = WM_APP + 2;

LRESULT CALLBACK AppProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* impl = reinterpret_cast<platform::Window::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    impl =
        static_cast<platform::Window::Impl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl));
  }
  if (!impl || !impl->hwnd) return DefWindowProcW(hwnd, msg, wp, lp);

  switch (msg) {
    case WM_ACTIVATE:
      // Changing the active window from inside WM_ACTIVATE confuses the activation under way.
      if (LOWORD(wp) != WA_INACTIVE) PostMessageW(hwnd, kForwardActivationMessage, 0, 0);
      return 0;
    case kForwardActivationMessage:
      if (GetActiveWindow() == hwnd) BringMainToFront(*impl);
      return 0;
    case WM_SYSCOMMAND:
      switch (wp & 0xFFF0) {
        // The main window cannot be minimised; neither can its taskbar entry.
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_SIZE:
        case SC_MOVE:
          return 0;
        case SC_RESTORE:
          BringMainToFront(*impl);
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      // DefWindowProc would destroy the window; the request is the main window's to answer.
      SendMessageW(impl->hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void BringMainToFront(const platform::Window::Impl& main) {
  if (!IsWindowVisible(main.hwnd)) return;
  // A dialog that the main window is waiting for comes first.
  HWND target = GetLastActivePopup(main.hwnd);
  if (!target || !IsWindowVisible(target)) target = main.hwnd;
  SetForegroundWindow(target);
}

HWND CreateApplicationWindow(platform::Window::Impl* main) {
  RegisterWindowClass({.name = kAppClassName,
                       .procedure = AppProc,
                       .icon = ProgramIcon(GetSystemMetrics(SM_CXICON)),
                       .smallIcon = ProgramIcon(GetSystemMetrics(SM_CXSMICON))});
  // Zero size: the window is seen only as the taskbar entry.
  HWND app = CreateWindowExW(0, kAppClassName, Widen(texts::kAppTitle).c_str(),
                             WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                             GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                             0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), main);
  // Its window menu is left with Restore, Minimize, a separator and Close.
  HMENU menu = GetSystemMenu(app, FALSE);
  for (UINT command : {SC_MAXIMIZE, SC_SIZE, SC_MOVE}) DeleteMenu(menu, command, MF_BYCOMMAND);
  return app;
}

}  // namespace vetrix::win32

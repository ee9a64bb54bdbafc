// The main window: its window procedure, which runs every handler through RunHandler (no
// exception crosses a Win32 frame) and reflects WM_COMMAND to the control that sent it; its
// activation, focus and size rules.
#include "base/dpi.h"
#include "platform/controls.h"
#include "platform/handler.h"
#include "platform/win32/app_window.h"
#include "platform/win32/child.h"
#include "platform/win32/dpi.h"
#include "platform/win32/window_class.h"
#include "zorv/zorv.h"

namespace vetrix::win32 {
namespace {
HWND g_mainWindow = nullptr;
constexpr wchar_t kDialogClass[] = L"VetrixDialog";
}  // namespace

bool IsDialogWindow(HWND hwnd) {
  wchar_t name[16]{};
  return hwnd && GetClassNameW(hwnd, name, 16) && lstrcmpW(name, kDialogClass) == 0;
}

HWND BoxOwner() {
  const HWND active = GetActiveWindow();
  return IsDialogWindow(active) ? active : g_mainWindow;
}

HWND MainWindowHandle() { return g_mainWindow; }
void SetMainWindowHandle(HWND hwnd) { g_mainWindow = hwnd; }

}  // namespace vetrix::win32

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

namespace {

// Posted to itself: the first activation's handler runs once the activation has finished.
constexpr UINT kFirstActivateMessage = WM_APP + 1;

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// Activation puts the focus back on the control that had it, or on the first Tab stop, the way
// a dialog does; DefWindowProc would put it on the window itself, where Tab finds no control.
void RestoreFocus(Window::Impl& impl) {
  HWND focus = impl.lastFocus;
  // Its own style, not IsWindowVisible: the window itself may still be hidden, activated only
  // to own the tray menu.
  if (!focus || !IsWindow(focus) || !IsChild(impl.hwnd, focus) ||
      !(GetWindowLongPtrW(focus, GWL_STYLE) & WS_VISIBLE) || !IsWindowEnabled(focus)) {
    const HWND current = GetFocus();
    focus = current && IsChild(impl.hwnd, current) ? current
                                                   : GetNextDlgTabItem(impl.hwnd, nullptr, FALSE);
  }
  SetFocus(focus ? focus : impl.hwnd);
}

// The first activation's handler runs the recognition loop and does not return while it runs:
// it must not run inside WM_ACTIVATE, which is sent from within the activation, nor before
// creation has ended. A message box of creation hands its hidden owner the activation as it
// closes; run from that box's own loop, the handler would hold up the rest of creation (tray
// icon, gestures, hook) for as long as recognition runs.
void HandOnFirstActivation(Window::Impl& impl) {
  if (impl.activated || !impl.created) return;
  impl.activated = true;
  PostMessageW(impl.hwnd, kFirstActivateMessage, 0, 0);
}

void OnActivate(Window::Impl& impl, WPARAM wp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus && IsChild(impl.hwnd, focus)) impl.lastFocus = focus;
    return;
  }
  if (!HIWORD(wp)) RestoreFocus(impl);
  HandOnFirstActivation(impl);
}

BOOL CALLBACK FitChild(HWND child, LPARAM dpi) {
  win32::FitToDpi(child, static_cast<UINT>(dpi));
  return TRUE;
}

// The window was moved to a monitor of another scale (or the scale of its monitor changed):
// the fonts and rows of the new DPI, the size Windows suggests for it, and the layout again.
void OnDpiChanged(Window& window, Window::Impl& impl, WPARAM wp, const RECT& suggested) {
  impl.dpi = HIWORD(wp);
  win32::SetFormDpi(impl.dpi);
  EnumChildWindows(impl.hwnd, FitChild, static_cast<LPARAM>(impl.dpi));
  RECT before{};
  GetWindowRect(impl.hwnd, &before);
  SetWindowPos(impl.hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // The same size sends no WM_SIZE, yet every control has a new place.
  if (before.right - before.left == suggested.right - suggested.left &&
      before.bottom - before.top == suggested.bottom - suggested.top && window.onResize)
    RunHandler(window.onResize);
  RedrawWindow(impl.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* impl = reinterpret_cast<Window::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    impl = static_cast<Window::Impl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    impl->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl));
  }
  if (!impl) return DefWindowProcW(hwnd, msg, wp, lp);
  Window& window = *impl->owner;

  switch (msg) {
    case WM_COMMAND:
      if (win32::ReflectCommand(wp, lp)) return 0;
      // Esc in a dialog, from the dialog manager.
      if (impl->dialogOwner && LOWORD(wp) == IDCANCEL && lp == 0) {
        if (window.onClose) RunHandler(window.onClose);
        return 0;
      }
      break;
    case WM_DRAWITEM:
      if (win32::ReflectDrawItem(lp)) return TRUE;
      break;
    case WM_TIMER: {
      auto it = impl->timers.find(wp);
      if (it != impl->timers.end() && *it->second) RunHandler(*it->second);
      return 0;
    }
    case WM_ACTIVATE:
      OnActivate(*impl, wp);
      return 0;
    case kFirstActivateMessage:
      if (window.onFirstActivate) RunHandler(window.onFirstActivate);
      return 0;
    case WM_SIZE:
      // A minimised window's client area is empty; the layout has nothing to fit into.
      if (wp == SIZE_MINIMIZED) return 0;
      if (window.onResize) RunHandler(window.onResize);
      // Under Wine, buttons moved by the layout while the window is maximised keep a blank face
      // until something else repaints them.
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_HOTKEY:
      if (window.onHotKey) RunHandler(window.onHotKey);
      return 0;
    case zorv::kHookMessage:
      if (window.onHookMessage)
        RunHandler([&] { window.onHookMessage(static_cast<std::int32_t>(wp)); });
      return 0;
    case zorv::kHookSilentMessage:
      if (window.onHookSilent) RunHandler([&] { window.onHookSilent(wp != 0); });
      return 0;
    case win32::kTrayMessage:
      if (window.onTrayMessage)
        RunHandler([&] { window.onTrayMessage(static_cast<std::int32_t>(lp)); });
      return 0;
    case WM_CLOSE:
      if (window.onClose) RunHandler(window.onClose);
      return 0;
    case WM_QUERYENDSESSION:
      // Logging off closes the window like any other close request.
      if (window.onClose) RunHandler(window.onClose);
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      const Size minimum = Scaled(impl->minimumSize, static_cast<std::int32_t>(impl->dpi));
      info->ptMinTrackSize = {minimum.width, minimum.height};
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(window, *impl, wp, *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    default:
      if (msg == TaskbarCreatedMessage() && msg != 0 && window.onTaskbarCreated)
        RunHandler(window.onTaskbarCreated);
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

namespace {

int CentredLeft(int width) { return (GetSystemMetrics(SM_CXSCREEN) - width) / 2; }
int CentredTop(int height) { return (GetSystemMetrics(SM_CYSCREEN) - height) / 2; }

}  // namespace

namespace {

void CreateDialogWindow(Window::Impl& impl, const Window::Args& args) {
  win32::RegisterWindowClass({.name = win32::kDialogClass,
                              .procedure = WindowProcedure,
                              .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
  impl.dialogOwner = args.owner->impl().hwnd;
  // At its owner's DPI, which its controls' font and rows are made for.
  impl.dpi = args.owner->impl().dpi;
  const Size client = Scaled(Size{args.width, args.height}, static_cast<std::int32_t>(impl.dpi));
  constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  constexpr DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
  RECT r{0, 0, client.width, client.height};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  CreateWindowExW(exStyle, win32::kDialogClass, Widen(args.title).c_str(), style, 0, 0,
                  r.right - r.left, r.bottom - r.top, impl.dialogOwner, nullptr,
                  GetModuleHandleW(nullptr), &impl);
}

}  // namespace

Window::Window(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->minimumSize = {args.minimumWidth, args.minimumHeight};
  if (args.owner) {
    CreateDialogWindow(*impl_, args);
    return;
  }
  win32::RegisterWindowClass({.name = zorv::kMainWindowClass,
                              .procedure = WindowProcedure,
                              .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                              .icon = win32::ProgramIcon(GetSystemMetrics(SM_CXICON)),
                              .smallIcon = win32::ProgramIcon(GetSystemMetrics(SM_CXSMICON))});
  impl_->app = win32::CreateApplicationWindow(impl_.get());
  // Opened centred on the primary monitor, at its DPI.
  impl_->dpi = win32::SystemDpi();
  const Size size = Scaled(Size{args.width, args.height}, static_cast<std::int32_t>(impl_->dpi));
  // No minimise box: the window hides to the tray instead. Owned by the application window, it
  // has no taskbar entry of its own.
  CreateWindowExW(
      WS_EX_CONTROLPARENT, zorv::kMainWindowClass, Widen(args.title).c_str(),
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN,
      CentredLeft(size.width), CentredTop(size.height), size.width, size.height, impl_->app,
      nullptr, GetModuleHandleW(nullptr), impl_.get());
  win32::SetMainWindowHandle(impl_->hwnd);
  // The system's DPI is the one at log-on; the primary monitor's scale may have changed since.
  if (const UINT dpi = win32::WindowDpi(impl_->hwnd); dpi != impl_->dpi) {
    impl_->dpi = dpi;
    const Size now = Scaled(Size{args.width, args.height}, static_cast<std::int32_t>(dpi));
    SetWindowPos(impl_->hwnd, nullptr, CentredLeft(now.width), CentredTop(now.height), now.width,
                 now.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  win32::SetFormDpi(impl_->dpi);
}

Window::~Window() {
  if (impl_->hwnd && impl_->dialogOwner) Hide();
  if (impl_->hwnd) DestroyWindow(impl_->hwnd);
  if (impl_->app) DestroyWindow(impl_->app);
}

void Window::SetTitle(std::string_view text) { SetWindowTextW(impl_->hwnd, Widen(text).c_str()); }
std::string Window::Title() const { return Narrow(win32::WindowText(impl_->hwnd)); }

void Window::ShowCentered() {
  if (impl_->dialogOwner) {
    // Over the middle of its owner, and the first control takes the focus.
    RECT owner{}, r{};
    GetWindowRect(impl_->dialogOwner, &owner);
    GetWindowRect(impl_->hwnd, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(impl_->hwnd, nullptr, owner.left + (owner.right - owner.left - width) / 2,
                 owner.top + (owner.bottom - owner.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(impl_->hwnd, SW_SHOW);
    SetForegroundWindow(impl_->hwnd);
    if (HWND first = GetNextDlgTabItem(impl_->hwnd, nullptr, FALSE)) SetFocus(first);
    return;
  }
  RECT r{};
  GetWindowRect(impl_->hwnd, &r);
  const int left = CentredLeft(r.right - r.left), top = CentredTop(r.bottom - r.top);
  // Made there, it is there unless creation resized it: a move is a round trip to the server.
  if (r.left != left || r.top != top)
    SetWindowPos(impl_->hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  impl_->created = true;
  // The taskbar entry comes with the window, not before it (behind a start-up error box). It
  // does not take the activation on the way: the main window takes it next, which is change
  // enough for Wine's taskbar, and under Wine an activation handed through the owner first
  // costs about a hundred round trips to the server before the window shows.
  ShowWindow(impl_->app, SW_SHOWNA);
  ShowWindow(impl_->hwnd, SW_SHOW);
  SetForegroundWindow(impl_->hwnd);
  // Made the active window while still hidden: no activation is coming any more.
  if (GetActiveWindow() == impl_->hwnd) HandOnFirstActivation(*impl_);
}

void Window::Show() { ShowWindow(impl_->hwnd, SW_SHOW); }
void Window::Hide() {
  // A dialog in front hands the activation back to its owner, not to whatever is next.
  if (impl_->dialogOwner && GetActiveWindow() == impl_->hwnd) SetActiveWindow(impl_->dialogOwner);
  ShowWindow(impl_->hwnd, SW_HIDE);
}
bool Window::Visible() const { return IsWindowVisible(impl_->hwnd) != FALSE; }

void Window::ShowOwner(bool visible) {
  // Activating it on the way matters: Wine's taskbar notices a new entry only when the active
  // window changes. The application window hands the activation back to the main window.
  ShowWindow(impl_->app, visible ? SW_SHOW : SW_HIDE);
}
bool Window::OwnerVisible() const { return IsWindowVisible(impl_->app) != FALSE; }

void Window::TrimOwnerMenu() {
  HMENU menu = GetSystemMenu(impl_->app, FALSE);
  for (UINT command : {SC_MINIMIZE, SC_RESTORE, SC_CLOSE}) DeleteMenu(menu, command, MF_BYCOMMAND);
  // The separator that is left has no command to delete it by.
  DeleteMenu(menu, 0, MF_BYPOSITION);
}

void Window::BringToFront() { SetForegroundWindow(impl_->hwnd); }

void Window::Close() {
  // Sent, not posted: the close box's request is handled before this returns.
  SendMessageW(impl_->hwnd, WM_CLOSE, 0, 0);
}

void Window::Resize(std::int32_t width, std::int32_t height) {
  SetWindowPos(impl_->hwnd, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t Window::Dpi() const { return static_cast<std::int32_t>(impl_->dpi); }

WindowGeometry Window::Geometry() const {
  RECT outer{}, client{};
  GetWindowRect(impl_->hwnd, &outer);
  GetClientRect(impl_->hwnd, &client);
  return {outer.left,   outer.top,    outer.right - outer.left, outer.bottom - outer.top,
          client.right, client.bottom};
}

}  // namespace vetrix::platform

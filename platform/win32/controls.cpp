// The main form, the application window that owns it, its timers and its tray icon. The form's
// window procedure reflects WM_COMMAND to the control that sent it; every handler runs through
// RunHandler so that no exception crosses a Win32 frame. Each other control kind has a file of
// its own.
#include "platform/controls.h"

#include "platform/dispatch.h"
#include "platform/win32/child.h"
#include "text/texts.h"
#include "zorv/zorv.h"

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

namespace {

constexpr wchar_t kClassName[] = L"TtPshSqWjOIjq";
constexpr wchar_t kAppClassName[] = L"VetrixApplication";
constexpr UINT kTrayCallbackMessage = 1026;
constexpr UINT kTrayId = 1;
constexpr WORD kIconId = 1;
// Posted to itself by the main window and by the application window.
constexpr UINT kFirstActivateMessage = WM_APP + 1;
constexpr UINT kForwardActivationMessage = WM_APP + 2;

HICON ProgramIcon(int size) {
  // Shared: the system owns the icon, so it is never destroyed here.
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

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

void OnActivate(Window::Impl& impl, WPARAM wp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus && IsChild(impl.hwnd, focus)) impl.lastFocus = focus;
    return;
  }
  if (!HIWORD(wp)) RestoreFocus(impl);
  // The first activation's handler runs the recognition loop and does not return while it
  // runs: it must not run inside WM_ACTIVATE, which is sent from within the activation.
  if (!impl.activated) {
    impl.activated = true;
    PostMessageW(impl.hwnd, kFirstActivateMessage, 0, 0);
  }
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
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
    case kTrayCallbackMessage:
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
      info->ptMinTrackSize = {596, 404};
      return 0;
    }
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

void BringMainToFront(const Window::Impl& impl) {
  if (!IsWindowVisible(impl.hwnd)) return;
  // A dialog that the main window is waiting for comes first.
  HWND target = GetLastActivePopup(impl.hwnd);
  if (!target || !IsWindowVisible(target)) target = impl.hwnd;
  SetForegroundWindow(target);
}

// The application window stands in for the main window wherever the shell talks to the
// program's taskbar entry.
LRESULT CALLBACK AppProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* impl = reinterpret_cast<Window::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    impl = static_cast<Window::Impl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
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

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
  wc.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  wc.lpfnWndProc = AppProc;
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kAppClassName;
  RegisterClassExW(&wc);
  done = true;
}

HWND CreateApplicationWindow(Window::Impl* impl) {
  // Zero size: the window is seen only as the taskbar entry.
  HWND app = CreateWindowExW(0, kAppClassName, Widen(texts::kAppTitle).c_str(),
                             WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                             GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                             0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), impl);
  // Its window menu is left with Restore, Minimize, a separator and Close.
  HMENU menu = GetSystemMenu(app, FALSE);
  for (UINT command : {SC_MAXIMIZE, SC_SIZE, SC_MOVE}) DeleteMenu(menu, command, MF_BYCOMMAND);
  return app;
}

}  // namespace

Window::Window(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  RegisterClasses();
  impl_->app = CreateApplicationWindow(impl_.get());
  // No minimise box: the window hides to the tray instead. Owned by the application window, it
  // has no taskbar entry of its own.
  CreateWindowExW(
      WS_EX_CONTROLPARENT, kClassName, Widen(args.title).c_str(),
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN,
      CW_USEDEFAULT, CW_USEDEFAULT, args.width, args.height, impl_->app, nullptr,
      GetModuleHandleW(nullptr), impl_.get());
  win32::SetMainWindow(impl_->hwnd);
  ShowWindow(impl_->app, SW_SHOW);
}

Window::~Window() {
  if (impl_->hwnd) DestroyWindow(impl_->hwnd);
  if (impl_->app) DestroyWindow(impl_->app);
}

void Window::SetTitle(std::string_view text) { SetWindowTextW(impl_->hwnd, Widen(text).c_str()); }
std::string Window::Title() const { return Narrow(win32::WindowText(impl_->hwnd)); }

void Window::ShowCentered() {
  RECT r{};
  GetWindowRect(impl_->hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(impl_->hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(impl_->hwnd, SW_SHOW);
  SetForegroundWindow(impl_->hwnd);
}

void Window::Show() { ShowWindow(impl_->hwnd, SW_SHOW); }
void Window::Hide() { ShowWindow(impl_->hwnd, SW_HIDE); }
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

WindowGeometry Window::Geometry() const {
  RECT outer{}, client{};
  GetWindowRect(impl_->hwnd, &outer);
  GetClientRect(impl_->hwnd, &client);
  return {outer.left,   outer.top,    outer.right - outer.left, outer.bottom - outer.top,
          client.right, client.bottom};
}

// ---- Timer

struct Timer::Impl {
  Window::Impl* window = nullptr;
  UINT_PTR id = 0;
  UINT interval = 0;
  bool running = false;
};

Timer::Timer(Window& owner, std::uint32_t intervalMs) : impl_(std::make_unique<Impl>()) {
  impl_->window = &owner.impl();
  impl_->id = impl_->window->nextTimerId++;
  impl_->interval = intervalMs;
  impl_->window->timers[impl_->id] = &onTimer;
}
Timer::~Timer() {
  Stop();
  impl_->window->timers.erase(impl_->id);
}
void Timer::Start() {
  // SetTimer on a running timer would restart its interval.
  if (impl_->running) return;
  SetTimer(impl_->window->hwnd, impl_->id, impl_->interval, nullptr);
  impl_->running = true;
}
void Timer::Stop() {
  if (!impl_->running) return;
  KillTimer(impl_->window->hwnd, impl_->id);
  impl_->running = false;
}
bool Timer::Running() const { return impl_->running; }

// ---- TrayIcon

struct TrayIcon::Impl {
  NOTIFYICONDATAW data{};
};

TrayIcon::TrayIcon(Window& owner) : impl_(std::make_unique<Impl>()) {
  auto& d = impl_->data;
  d.cbSize = sizeof d;
  d.hWnd = owner.impl().hwnd;
  d.uID = kTrayId;
  d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  d.uCallbackMessage = kTrayCallbackMessage;
  d.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
  lstrcpynW(d.szTip, L"Vetrix", ARRAYSIZE(d.szTip));
}
TrayIcon::~TrayIcon() = default;
void TrayIcon::Add() { Shell_NotifyIconW(NIM_ADD, &impl_->data); }
void TrayIcon::Modify(TrayPicture picture) {
  impl_->data.hIcon = picture == TrayPicture::Running ? LoadIconW(nullptr, MAKEINTRESOURCEW(32514))
                                                      : ProgramIcon(GetSystemMetrics(SM_CXICON));
  Shell_NotifyIconW(NIM_MODIFY, &impl_->data);
}
void TrayIcon::Delete() { Shell_NotifyIconW(NIM_DELETE, &impl_->data); }

}  // namespace vetrix::platform

namespace vetrix::win32 {

void PreviewKey(const MSG& msg) {
  if (msg.message != WM_CHAR) return;
  HWND main = MainWindow();
  if (!main || (msg.hwnd != main && !IsChild(main, msg.hwnd))) return;
  auto* impl = reinterpret_cast<platform::Window::Impl*>(GetWindowLongPtrW(main, GWLP_USERDATA));
  if (!impl || !impl->owner->onKeyPress) return;
  const wchar_t wide = static_cast<wchar_t>(msg.wParam);
  const std::string narrow = Narrow(std::wstring_view(&wide, 1));
  if (narrow.size() != 1) return;
  platform::RunHandler([&] { impl->owner->onKeyPress(narrow[0]); });
}

}  // namespace vetrix::win32

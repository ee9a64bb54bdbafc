// The main form, its timers and its tray icon. The form's window procedure reflects WM_COMMAND
// to the control that sent it; every handler runs through RunHandler so that no exception
// crosses a Win32 frame. Each other control kind has a file of its own.
#include "platform/controls.h"

#include "platform/dispatch.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

namespace {

constexpr wchar_t kClassName[] = L"TtPshSqWjOIjq";
constexpr UINT kTrayCallbackMessage = 1026;
constexpr UINT kTrayId = 1;

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* impl = reinterpret_cast<Window::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    impl = static_cast<Window::Impl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    impl->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl));
  }
  if (!impl) return DefWindowProcW(hwnd, msg, wp, lp);

  switch (msg) {
    case WM_COMMAND:
      if (win32::ReflectCommand(wp, lp)) return 0;
      break;
    case WM_TIMER: {
      auto it = impl->timers.find(wp);
      if (it != impl->timers.end() && *it->second) RunHandler(*it->second);
      return 0;
    }
    case WM_CLOSE:
      if (impl->owner->onClose) RunHandler(impl->owner->onClose);
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize = {596, 404};
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterFormClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  done = true;
}

}  // namespace

Window::Window(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  RegisterFormClass();
  // No minimise box: the window hides to the tray instead.
  CreateWindowExW(
      WS_EX_CONTROLPARENT, kClassName, Widen(args.title).c_str(),
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN,
      CW_USEDEFAULT, CW_USEDEFAULT, args.width, args.height, nullptr, nullptr,
      GetModuleHandleW(nullptr), impl_.get());
  win32::SetMainWindow(impl_->hwnd);
}

Window::~Window() {
  if (impl_->hwnd) DestroyWindow(impl_->hwnd);
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

bool Window::Visible() const { return IsWindowVisible(impl_->hwnd) != FALSE; }

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
  d.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  lstrcpynW(d.szTip, L"Vetrix", ARRAYSIZE(d.szTip));
}
TrayIcon::~TrayIcon() = default;
void TrayIcon::Add() { Shell_NotifyIconW(NIM_ADD, &impl_->data); }
void TrayIcon::Modify(TrayPicture picture) {
  impl_->data.hIcon =
      LoadIconW(nullptr, MAKEINTRESOURCEW(picture == TrayPicture::Running ? 32514 : 32512));
  Shell_NotifyIconW(NIM_MODIFY, &impl_->data);
}
void TrayIcon::Delete() { Shell_NotifyIconW(NIM_DELETE, &impl_->data); }

}  // namespace vetrix::platform

// Real windows behind the control wrappers. One window procedure maps a handle to its C++
// object and reflects WM_COMMAND to the control that sent it; every handler runs through
// RunHandler so that no exception crosses a Win32 frame.
#include "platform/controls.h"

#include <map>
#include <vector>

#include "platform/dispatch.h"
#include "platform/win32/win32.h"

namespace vetrix::platform {

using win32::Narrow;
using win32::Widen;

namespace {

constexpr wchar_t kClassName[] = L"TtPshSqWjOIjq";
constexpr UINT kTrayCallbackMessage = 1026;
constexpr UINT kTrayId = 1;

// A child control that wants its WM_COMMAND notifications.
struct CommandTarget {
  virtual ~CommandTarget() = default;
  virtual void OnCommand(WORD code) = 0;
};

HFONT FormFont() {
  // 8 points at 96 dpi.
  static HFONT font =
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
  return font;
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND CreateChild(HWND parent, const wchar_t* cls, std::string_view text, DWORD style, DWORD exStyle,
                 const Rect& r, CommandTarget* target) {
  HWND hwnd = CreateWindowExW(exStyle, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                              r.left, r.top, r.width, r.height, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
  return hwnd;
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace

struct Window::Impl {
  Window* owner = nullptr;
  HWND hwnd = nullptr;
  std::map<UINT_PTR, Handler*> timers;
  UINT_PTR nextTimerId = 1;
};

namespace {

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
      if (lp != 0) {
        auto* target = reinterpret_cast<CommandTarget*>(
            GetWindowLongPtrW(reinterpret_cast<HWND>(lp), GWLP_USERDATA));
        if (target) RunHandler([&] { target->OnCommand(HIWORD(wp)); });
        return 0;
      }
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

void Window::SetTitle(std::string_view text) {
  SetWindowTextW(impl_->hwnd, Widen(text).c_str());
}
std::string Window::Title() const {
  return Narrow(WindowText(impl_->hwnd));
}

void Window::ShowCentered() {
  RECT r{};
  GetWindowRect(impl_->hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(impl_->hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(impl_->hwnd, SW_SHOW);
  SetForegroundWindow(impl_->hwnd);
}

bool Window::Visible() const {
  return IsWindowVisible(impl_->hwnd) != FALSE;
}

WindowGeometry Window::Geometry() const {
  RECT outer{}, client{};
  GetWindowRect(impl_->hwnd, &outer);
  GetClientRect(impl_->hwnd, &client);
  return {outer.left,   outer.top,    outer.right - outer.left, outer.bottom - outer.top,
          client.right, client.bottom};
}

// ---- Button

struct Button::Impl : CommandTarget {
  Button* owner = nullptr;
  HWND hwnd = nullptr;
  void OnCommand(WORD code) override {
    if (code == BN_CLICKED) owner->Click();
  }
};

Button::Button(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->hwnd = CreateChild(args.parent.impl().hwnd, L"BUTTON", args.caption,
                            WS_TABSTOP | BS_PUSHBUTTON, 0, args.rect, impl_.get());
}
Button::~Button() = default;
void Button::SetCaption(std::string_view text) {
  SetWindowTextW(impl_->hwnd, Widen(text).c_str());
}
std::string Button::Caption() const {
  return Narrow(WindowText(impl_->hwnd));
}
void Button::SetEnabled(bool enabled) {
  EnableWindow(impl_->hwnd, enabled);
}
bool Button::Enabled() const {
  return IsWindowEnabled(impl_->hwnd) != FALSE;
}
Rect Button::Bounds() const {
  RECT r{};
  GetWindowRect(impl_->hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(impl_->hwnd), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
void Button::Click() {
  if (onClick) onClick();
}

// ---- ListBox

struct ListBox::Impl : CommandTarget {
  ListBox* owner = nullptr;
  HWND hwnd = nullptr;
  void OnCommand(WORD code) override {
    if (code == LBN_SELCHANGE && owner->onClick) owner->onClick();
  }
};

ListBox::ListBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->owner = this;
  impl_->hwnd = CreateChild(args.parent.impl().hwnd, L"LISTBOX", "",
                            WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            WS_EX_CLIENTEDGE, args.rect, impl_.get());
  SendMessageW(impl_->hwnd, LB_SETITEMHEIGHT, 0, 13);
}
ListBox::~ListBox() = default;
void ListBox::AddRow(std::string_view text) {
  SendMessageW(impl_->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}
void ListBox::DeleteRow(int row) {
  SendMessageW(impl_->hwnd, LB_DELETESTRING, row, 0);
}
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
void ListBox::Select(int row) {
  SendMessageW(impl_->hwnd, LB_SETCURSEL, row, 0);
}
int ListBox::Selected() const {
  return static_cast<int>(SendMessageW(impl_->hwnd, LB_GETCURSEL, 0, 0));
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
bool Timer::Running() const {
  return impl_->running;
}

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
void TrayIcon::Add() {
  Shell_NotifyIconW(NIM_ADD, &impl_->data);
}
void TrayIcon::Modify(TrayPicture picture) {
  impl_->data.hIcon =
      LoadIconW(nullptr, MAKEINTRESOURCEW(picture == TrayPicture::Running ? 32514 : 32512));
  Shell_NotifyIconW(NIM_MODIFY, &impl_->data);
}
void TrayIcon::Delete() {
  Shell_NotifyIconW(NIM_DELETE, &impl_->data);
}

}  // namespace vetrix::platform

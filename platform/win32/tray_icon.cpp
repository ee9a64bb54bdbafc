// The notification-area icon; its mouse messages come to the main window as kTrayMessage.
#include "platform/controls.h"
#include "platform/win32/child.h"
#include "platform/win32/window_class.h"

namespace vetrix::platform {

namespace {
constexpr UINT kTrayId = 1;
}  // namespace

struct TrayIcon::Impl {
  NOTIFYICONDATAW data{};
};

TrayIcon::TrayIcon(Window& owner) : impl_(std::make_unique<Impl>()) {
  auto& d = impl_->data;
  d.cbSize = sizeof d;
  d.hWnd = owner.impl().hwnd;
  d.uID = kTrayId;
  d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  d.uCallbackMessage = win32::kTrayMessage;
  d.hIcon = win32::ProgramIcon(GetSystemMetrics(SM_CXICON));
  lstrcpynW(d.szTip, L"Vetrix", ARRAYSIZE(d.szTip));
}
TrayIcon::~TrayIcon() = default;
void TrayIcon::Add() { Shell_NotifyIconW(NIM_ADD, &impl_->data); }
void TrayIcon::Modify(TrayPicture picture) {
  impl_->data.hIcon = picture == TrayPicture::Running
                          ? LoadIconW(nullptr, MAKEINTRESOURCEW(32514))
                          : win32::ProgramIcon(GetSystemMetrics(SM_CXICON));
  Shell_NotifyIconW(NIM_MODIFY, &impl_->data);
}
void TrayIcon::SetTip(std::string_view text) {
  auto& d = impl_->data;
  lstrcpynW(d.szTip, win32::Widen(text).c_str(), ARRAYSIZE(d.szTip));
  Shell_NotifyIconW(NIM_MODIFY, &d);
}
void TrayIcon::ShowBalloon(std::string_view title, std::string_view text) {
  NOTIFYICONDATAW d = impl_->data;
  d.uFlags = NIF_INFO;
  d.dwInfoFlags = NIIF_INFO;
  lstrcpynW(d.szInfoTitle, win32::Widen(title).c_str(), ARRAYSIZE(d.szInfoTitle));
  lstrcpynW(d.szInfo, win32::Widen(text).c_str(), ARRAYSIZE(d.szInfo));
  Shell_NotifyIconW(NIM_MODIFY, &d);
}
void TrayIcon::Delete() { Shell_NotifyIconW(NIM_DELETE, &impl_->data); }

}  // namespace vetrix::platform

// In-memory controls that remember what the real ones would show.
#include "platform/controls.h"

#include <string>
#include <vector>

#include "platform/fake/world.h"

namespace vetrix::platform {

struct Window::Impl {
  std::string title;
  bool visible = false;
  WindowGeometry geometry;
};

Window::Window(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->title = std::string(args.title);
  // A 1024 x 768 screen, a 4-pixel frame and a 23-pixel caption, like the real window.
  impl_->geometry = {(1024 - args.width) / 2, (768 - args.height) / 2, args.width, args.height,
                     args.width - 8,          args.height - 27};
}
Window::~Window() = default;
void Window::SetTitle(std::string_view text) {
  impl_->title = std::string(text);
}
std::string Window::Title() const {
  return impl_->title;
}
void Window::ShowCentered() {
  impl_->visible = true;
}
bool Window::Visible() const {
  return impl_->visible;
}
WindowGeometry Window::Geometry() const {
  return impl_->geometry;
}

struct Button::Impl {
  std::string caption;
  bool enabled = true;
  Rect rect;
};

Button::Button(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->caption = std::string(args.caption);
  impl_->rect = args.rect;
}
Button::~Button() = default;
void Button::SetCaption(std::string_view text) {
  impl_->caption = std::string(text);
}
std::string Button::Caption() const {
  return impl_->caption;
}
void Button::SetEnabled(bool enabled) {
  impl_->enabled = enabled;
}
bool Button::Enabled() const {
  return impl_->enabled;
}
Rect Button::Bounds() const {
  return impl_->rect;
}
void Button::Click() {
  if (onClick) onClick();
}

struct ListBox::Impl {
  std::vector<std::string> rows;
  int selected = -1;
  Rect rect;
};

ListBox::ListBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->rect = args.rect;
}
ListBox::~ListBox() = default;
void ListBox::AddRow(std::string_view text) {
  impl_->rows.emplace_back(text);
}
void ListBox::DeleteRow(int row) {
  auto& rows = impl_->rows;
  if (row < 0 || row >= static_cast<int>(rows.size())) return;
  rows.erase(rows.begin() + row);
  // A list box drops the selection when the selected row goes, and keeps it on its row
  // otherwise.
  if (impl_->selected == row)
    impl_->selected = -1;
  else if (impl_->selected > row)
    --impl_->selected;
}
void ListBox::SetRowText(int row, std::string_view text) {
  if (row >= 0 && row < RowCount()) impl_->rows[row] = std::string(text);
}
int ListBox::RowCount() const {
  return static_cast<int>(impl_->rows.size());
}
std::string ListBox::RowText(int row) const {
  return row >= 0 && row < RowCount() ? impl_->rows[row] : std::string();
}
void ListBox::Select(int row) {
  impl_->selected = row >= 0 && row < RowCount() ? row : -1;
}
int ListBox::Selected() const {
  return impl_->selected;
}

struct Timer::Impl {
  std::uint32_t interval;
};

Timer::Timer(Window&, std::uint32_t intervalMs) : impl_(std::make_unique<Impl>(intervalMs)) {}
Timer::~Timer() {
  fake::TheWorld().StopTimer(this);
}
void Timer::Start() {
  fake::TheWorld().StartTimer(this, impl_->interval, [this] {
    if (onTimer) onTimer();
  });
}
void Timer::Stop() {
  fake::TheWorld().StopTimer(this);
}
bool Timer::Running() const {
  return fake::TheWorld().TimerRunning(this);
}

struct TrayIcon::Impl {};

TrayIcon::TrayIcon(Window&) : impl_(std::make_unique<Impl>()) {}
TrayIcon::~TrayIcon() = default;
void TrayIcon::Add() {
  auto& tray = fake::TheWorld().tray;
  tray.calls.push_back("add");
  tray.exists = true;
}
void TrayIcon::Modify(TrayPicture picture) {
  auto& tray = fake::TheWorld().tray;
  tray.calls.push_back(picture == TrayPicture::Running ? "modify:running" : "modify:stopped");
  // Like the shell: modifying an icon that was never added changes nothing.
  if (tray.exists) tray.picture = picture;
}
void TrayIcon::Delete() {
  auto& tray = fake::TheWorld().tray;
  tray.calls.push_back("delete");
  tray.exists = false;
}

}  // namespace vetrix::platform

// In-memory controls that remember what the real ones would show.
#include "platform/controls.h"

#include <string>
#include <vector>

#include "base/dpi.h"
#include "platform/fake/bitmap.h"
#include "platform/fake/world.h"

namespace vetrix::platform {

struct Window::Impl {
  std::string title;
  bool visible = false;
  bool ownerVisible = true;
  WindowGeometry geometry;
  std::int32_t dpi = kBaseDpi;

  // A dialog has a 3-pixel frame under a 23-pixel caption; a main window a 4-pixel frame and a
  // 23-pixel caption at 96 DPI, like the real ones, scaled.
  bool dialog = false;
  void SetOuterSize(Size outer) {
    geometry.width = outer.width;
    geometry.height = outer.height;
    geometry.clientWidth = outer.width - (dialog ? 6 : Scaled(8, dpi));
    geometry.clientHeight = outer.height - (dialog ? 29 : Scaled(27, dpi));
  }
};

Window::Window(const Args& args) : impl_(std::make_unique<Impl>()) {
  auto& world = fake::TheWorld();
  impl_->title = std::string(args.title);
  impl_->dpi = world.primaryDpi;
  impl_->dialog = args.owner != nullptr;
  // Centred on the primary monitor; a dialog's size is its client area's.
  const Size client = Scaled(Size{args.width, args.height}, impl_->dpi);
  const Size size = impl_->dialog ? Size{client.width + 6, client.height + 29} : client;
  impl_->geometry.left = (world.screen.width - size.width) / 2;
  impl_->geometry.top = (world.screen.height - size.height) / 2;
  impl_->SetOuterSize(size);
  // The window made last is the one the user drags.
  world.windowDrag = [this](Point to) {
    WindowGeometry& g = impl_->geometry;
    g.left = to.x;
    g.top = to.y;
    const std::int32_t dpi = fake::TheWorld().DpiAt({to.x + g.width / 2, to.y + g.height / 2});
    if (dpi == impl_->dpi) return;
    // Windows suggests the same size in the new DPI's pixels.
    const Size suggested{static_cast<std::int32_t>(std::int64_t{g.width} * dpi / impl_->dpi),
                         static_cast<std::int32_t>(std::int64_t{g.height} * dpi / impl_->dpi)};
    impl_->dpi = dpi;
    impl_->SetOuterSize(suggested);
    if (onResize) onResize();
  };
}
Window::~Window() { fake::TheWorld().windowDrag = nullptr; }
std::int32_t Window::Dpi() const { return impl_->dpi; }
void Window::SetTitle(std::string_view text) { impl_->title = std::string(text); }
std::string Window::Title() const { return impl_->title; }
void Window::ShowCentered() {
  impl_->visible = true;
  if (onResize) onResize();
}
void Window::Show() { impl_->visible = true; }
void Window::Hide() { impl_->visible = false; }
bool Window::Visible() const { return impl_->visible; }
void Window::ShowOwner(bool visible) { impl_->ownerVisible = visible; }
bool Window::OwnerVisible() const { return impl_->ownerVisible; }
// The fake's windows have no system menu.
void Window::TrimOwnerMenu() {}
void Window::BringToFront() { fake::TheWorld().foregroundCalls++; }
void Window::Close() {
  if (onClose) onClose();
}
void Window::Resize(std::int32_t width, std::int32_t height) {
  auto& g = impl_->geometry;
  g.clientWidth += width - g.width;
  g.clientHeight += height - g.height;
  g.width = width;
  g.height = height;
  if (onResize) onResize();
}
WindowGeometry Window::Geometry() const { return impl_->geometry; }

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
void Button::SetCaption(std::string_view text) { impl_->caption = std::string(text); }
std::string Button::Caption() const { return impl_->caption; }
void Button::SetEnabled(bool enabled) { impl_->enabled = enabled; }
bool Button::Enabled() const { return impl_->enabled; }
Rect Button::Bounds() const { return impl_->rect; }
void Button::SetBounds(Rect r) { impl_->rect = r; }

struct ListBox::Impl {
  std::vector<std::string> rows;
  int selected = -1;
  Rect rect;
  bool enabled = true;
  PopupMenu* menu = nullptr;
};

ListBox::ListBox(const Args& args) : impl_(std::make_unique<Impl>()) { impl_->rect = args.rect; }
ListBox::~ListBox() = default;
void ListBox::SetBounds(Rect r) { impl_->rect = r; }
Rect ListBox::Bounds() const { return impl_->rect; }
void ListBox::SetEnabled(bool enabled) { impl_->enabled = enabled; }
bool ListBox::Enabled() const { return impl_->enabled; }
void ListBox::AddRow(std::string_view text) { impl_->rows.emplace_back(text); }
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
int ListBox::RowCount() const { return static_cast<int>(impl_->rows.size()); }
std::string ListBox::RowText(int row) const {
  return row >= 0 && row < RowCount() ? impl_->rows[row] : std::string();
}
void ListBox::Select(int row) { impl_->selected = row >= 0 && row < RowCount() ? row : -1; }
int ListBox::Selected() const { return impl_->selected; }
void ListBox::SetContextMenu(PopupMenu* menu) { impl_->menu = menu; }
PopupMenu* ListBox::ContextMenu() const { return impl_->menu; }

struct PopupMenu::Impl {
  struct Item {
    std::string caption;
    Handler onClick;
    bool isDefault;
    std::function<bool()> shown;  // an extended item's; null for the others
  };
  std::vector<Item> items;
  // The items shown if the menu opens now.
  std::vector<const Item*> Shown() const {
    std::vector<const Item*> shown;
    for (const Item& item : items)
      if (!item.shown || fake::TheWorld().shiftHeld || item.shown()) shown.push_back(&item);
    return shown;
  }
};

PopupMenu::PopupMenu(Window&) : impl_(std::make_unique<Impl>()) {}
PopupMenu::~PopupMenu() = default;
void PopupMenu::AddItem(std::string_view caption, Handler onClick, bool isDefault) {
  impl_->items.push_back({std::string(caption), std::move(onClick), isDefault, nullptr});
}
void PopupMenu::AddExtendedItem(std::string_view caption, Handler onClick,
                                std::function<bool()> shown) {
  impl_->items.push_back({std::string(caption), std::move(onClick), false, std::move(shown)});
}
int PopupMenu::ItemCount() const { return static_cast<int>(impl_->Shown().size()); }
std::string PopupMenu::ItemCaption(int index) const {
  const auto shown = impl_->Shown();
  return index >= 0 && index < static_cast<int>(shown.size()) ? shown[index]->caption
                                                              : std::string();
}
void PopupMenu::ShowAt(Point screen) {
  auto& w = fake::TheWorld();
  w.menusShown.push_back({this, screen});
  // A scripted choice stands for the user's pick while the menu is open.
  if (w.menuChoice) {
    const int choice = *w.menuChoice;
    w.menuChoice.reset();
    Choose(choice);
  }
}
void PopupMenu::Choose(int index) {
  const auto shown = impl_->Shown();
  if (index < 0 || index >= static_cast<int>(shown.size())) return;
  // A copy: the handler may change the menu it was chosen from.
  const Handler handler = shown[index]->onClick;
  if (handler) handler();
}

struct GroupBox::Impl {
  Rect rect;
};

GroupBox::GroupBox(const Args& args) : impl_(std::make_unique<Impl>()) { impl_->rect = args.rect; }
GroupBox::~GroupBox() = default;
void GroupBox::SetBounds(Rect r) { impl_->rect = r; }
Rect GroupBox::Bounds() const { return impl_->rect; }

struct CheckBox::Impl {
  std::string caption;
  Rect rect;
  bool checked = false;
  bool enabled = true;
};

CheckBox::CheckBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->caption = std::string(args.caption);
  impl_->rect = args.rect;
  JoinGroup(args);
}
CheckBox::~CheckBox() { LeaveGroup(); }
void CheckBox::ShowChecked(bool checked) { impl_->checked = checked; }
bool CheckBox::Checked() const { return impl_->checked; }
void CheckBox::SetEnabled(bool enabled) { impl_->enabled = enabled; }
bool CheckBox::Enabled() const { return impl_->enabled; }
void CheckBox::SetBounds(Rect r) { impl_->rect = r; }
Rect CheckBox::Bounds() const { return impl_->rect; }
std::string CheckBox::Caption() const { return impl_->caption; }

struct HotKeyField::Impl {
  std::uint16_t code = 0;
  bool enabled = true;
  bool focused = false;
  Rect rect;
};

HotKeyField::HotKeyField(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->rect = args.rect;
}
HotKeyField::~HotKeyField() = default;
void HotKeyField::SetCode(std::uint16_t code) { impl_->code = code; }
std::uint16_t HotKeyField::Code() const { return impl_->code; }
void HotKeyField::SetEnabled(bool enabled) { impl_->enabled = enabled; }
bool HotKeyField::Enabled() const { return impl_->enabled; }
void HotKeyField::Focus() { impl_->focused = true; }
bool HotKeyField::Focused() const { return impl_->focused; }
void HotKeyField::SetBounds(Rect r) { impl_->rect = r; }
Rect HotKeyField::Bounds() const { return impl_->rect; }

struct SpinEdit::Impl {
  std::string text;
  Rect rect;
};

SpinEdit::SpinEdit(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->rect = args.rect;
  impl_->text = std::to_string(args.minimum);
}
SpinEdit::~SpinEdit() = default;
void SpinEdit::ShowText(std::string_view text) { impl_->text = std::string(text); }
std::string SpinEdit::Text() const { return impl_->text; }
void SpinEdit::SetBounds(Rect r) { impl_->rect = r; }
Rect SpinEdit::Bounds() const { return impl_->rect; }

struct ComboBox::Impl {
  std::string text;
  std::vector<std::string> items;
  int selected = -1;
  Rect rect;
};

ComboBox::ComboBox(const Args& args) : impl_(std::make_unique<Impl>()) { impl_->rect = args.rect; }
ComboBox::~ComboBox() = default;
void ComboBox::SetText(std::string_view text) {
  impl_->text = std::string(text);
  // Like an editable combo box: typing drops the list's choice unless the text is the item's.
  if (impl_->selected >= 0 && impl_->items[impl_->selected] != impl_->text) impl_->selected = -1;
}
std::string ComboBox::Text() const { return impl_->text; }
void ComboBox::AddItem(std::string_view text) { impl_->items.emplace_back(text); }
void ComboBox::AddItem(std::string_view text, const SystemPath&) { AddItem(text); }
void ComboBox::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  impl_->items.erase(impl_->items.begin() + index);
  if (impl_->selected == index)
    impl_->selected = -1;
  else if (impl_->selected > index)
    --impl_->selected;
}
int ComboBox::ItemCount() const { return static_cast<int>(impl_->items.size()); }
std::string ComboBox::ItemText(int index) const {
  return index >= 0 && index < ItemCount() ? impl_->items[index] : std::string();
}
int ComboBox::Selected() const { return impl_->selected; }
void ComboBox::Select(int index) {
  impl_->selected = index >= 0 && index < ItemCount() ? index : -1;
  if (impl_->selected >= 0) impl_->text = impl_->items[impl_->selected];
}
void ComboBox::SetBounds(Rect r) { impl_->rect = r; }
Rect ComboBox::Bounds() const { return impl_->rect; }

struct Image::Impl {
  Rect rect;
  fake::Bitmap bitmap;
  Rgb pen{0, 0, 0};
  Rgb brush{255, 255, 255};
};

Image::Image(const Args& args) : impl_(std::make_unique<Impl>()) {
  impl_->rect = args.rect;
  impl_->bitmap.Resize(args.rect.width, args.rect.height);
}
Image::~Image() = default;
void Image::SetBounds(Rect r) { impl_->rect = r; }
Rect Image::Bounds() const { return impl_->rect; }
void Image::SetBitmapSize(std::int32_t width, std::int32_t height) {
  impl_->bitmap.Resize(width, height);
}
std::int32_t Image::BitmapWidth() const { return impl_->bitmap.Width(); }
std::int32_t Image::BitmapHeight() const { return impl_->bitmap.Height(); }
void Image::SetPen(Rgb color) { impl_->pen = color; }
void Image::SetBrush(Rgb color) { impl_->brush = color; }
void Image::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  impl_->bitmap.Fill(left, top, right, bottom, impl_->brush);
}
void Image::Line(Point from, Point to) { impl_->bitmap.Line(from, to, impl_->pen); }
void Image::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  impl_->bitmap.Ellipse(left, top, right, bottom, impl_->pen, impl_->brush);
}
Rgb Image::Pixel(std::int32_t x, std::int32_t y) const { return impl_->bitmap.Pixel(x, y); }

struct Timer::Impl {
  std::uint32_t interval;
};

Timer::Timer(Window&, std::uint32_t intervalMs) : impl_(std::make_unique<Impl>(Impl{intervalMs})) {}
Timer::~Timer() { fake::TheWorld().StopTimer(this); }
void Timer::Start() {
  fake::TheWorld().StartTimer(this, impl_->interval, [this] {
    if (onTimer) onTimer();
  });
}
void Timer::Stop() { fake::TheWorld().StopTimer(this); }
bool Timer::Running() const { return fake::TheWorld().TimerRunning(this); }

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
void TrayIcon::SetTip(std::string_view text) {
  auto& tray = fake::TheWorld().tray;
  tray.calls.push_back("modify:tip");
  if (tray.exists) tray.tip = text;
}
void TrayIcon::ShowBalloon(std::string_view title, std::string_view text) {
  auto& tray = fake::TheWorld().tray;
  tray.calls.push_back("modify:balloon");
  if (tray.exists) tray.balloons.push_back({std::string(title), std::string(text)});
}
void TrayIcon::Delete() {
  auto& tray = fake::TheWorld().tray;
  tray.calls.push_back("delete");
  tray.exists = false;
}

}  // namespace vetrix::platform

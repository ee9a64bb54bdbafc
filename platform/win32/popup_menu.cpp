// A popup menu over a real HMENU. Item i has the command i + 1: TrackPopupMenu returns 0 for a
// dismissed menu. The chosen item's handler runs once the menu has closed, so that it may open
// dialogs or end the program without a menu loop still running around it.
#include <optional>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "platform/controls.h"
#include "platform/handler.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

using MenuHandle = UniqueHandle<HMENU, &DestroyMenu>;

struct PopupMenu::Impl {
  Window::Impl* owner = nullptr;
  MenuHandle menu{CreatePopupMenu()};
  struct Item {
    std::string caption;
    Handler onClick;
  };
  std::vector<Item> items;
};

PopupMenu::PopupMenu(Window& owner) : impl_(std::make_unique<Impl>()) {
  impl_->owner = &owner.impl();
}
PopupMenu::~PopupMenu() = default;

void PopupMenu::AddItem(std::string_view caption, Handler onClick, bool isDefault) {
  const auto command = static_cast<UINT>(impl_->items.size() + 1);
  impl_->items.push_back({std::string(caption), std::move(onClick)});
  AppendMenuW(impl_->menu.get(), MF_STRING, command, win32::Widen(caption).c_str());
  if (isDefault) SetMenuDefaultItem(impl_->menu.get(), command, FALSE);
}

int PopupMenu::ItemCount() const { return static_cast<int>(impl_->items.size()); }

std::string PopupMenu::ItemCaption(int index) const {
  return index >= 0 && index < ItemCount() ? impl_->items[index].caption : std::string();
}

void PopupMenu::ShowAt(Point screen) {
  HWND owner = impl_->owner->hwnd;
  std::optional<win32::ModalScope> modal(std::in_place);
  const auto command = static_cast<int>(
      TrackPopupMenu(impl_->menu.get(),
                     TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                     screen.x, screen.y, 0, owner, nullptr));
  // A menu opened for a window that was not in front may otherwise stay open after a click
  // elsewhere; the documented cure is a message to the owner right after.
  PostMessageW(owner, WM_NULL, 0, 0);
  modal.reset();  // the chosen item's handler may run loops of its own
  if (command > 0) RunHandler([&] { Choose(command - 1); });
}

void PopupMenu::Choose(int index) {
  if (index < 0 || index >= ItemCount()) return;
  // A copy: the handler may change the menu it was chosen from.
  const Handler handler = impl_->items[index].onClick;
  if (handler) handler();
}

}  // namespace vetrix::platform

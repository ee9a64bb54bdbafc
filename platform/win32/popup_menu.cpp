// A popup menu over a real HMENU, made afresh as it opens when it has extended items. Item i
// has the command i + 1: TrackPopupMenu returns 0 for a dismissed menu. The chosen item's handler
// runs once the menu has closed, so that it may open dialogs or end the program without a menu loop
// still running around it.
#include <functional>
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
    bool isDefault = false;
    std::function<bool()> shown;  // an extended item's; null for the others
  };
  std::vector<Item> items;
  bool extended = false;

  // The indexes of the items shown if the menu opens now.
  std::vector<std::size_t> Shown() const {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < items.size(); ++i)
      if (!items[i].shown || shift || items[i].shown()) shown.push_back(i);
    return shown;
  }
  void Append(std::size_t i) {
    const auto command = static_cast<UINT>(i + 1);
    AppendMenuW(menu.get(), MF_STRING, command, win32::Widen(items[i].caption).c_str());
    if (items[i].isDefault) SetMenuDefaultItem(menu.get(), command, FALSE);
  }
};

PopupMenu::PopupMenu(Window& owner) : impl_(std::make_unique<Impl>()) {
  impl_->owner = &owner.impl();
}
PopupMenu::~PopupMenu() = default;

void PopupMenu::AddItem(std::string_view caption, Handler onClick, bool isDefault) {
  impl_->items.push_back({std::string(caption), std::move(onClick), isDefault, nullptr});
  impl_->Append(impl_->items.size() - 1);
}

void PopupMenu::AddExtendedItem(std::string_view caption, Handler onClick,
                                std::function<bool()> shown) {
  impl_->items.push_back({std::string(caption), std::move(onClick), false, std::move(shown)});
  impl_->extended = true;
}

int PopupMenu::ItemCount() const { return static_cast<int>(impl_->Shown().size()); }

std::string PopupMenu::ItemCaption(int index) const {
  const auto shown = impl_->Shown();
  return index >= 0 && index < static_cast<int>(shown.size()) ? impl_->items[shown[index]].caption
                                                              : std::string();
}

void PopupMenu::ShowAt(Point screen) {
  HWND owner = impl_->owner->hwnd;
  if (impl_->extended) {
    impl_->menu.reset(CreatePopupMenu());
    for (std::size_t i : impl_->Shown()) impl_->Append(i);
  }
  std::optional<win32::ModalScope> modal(std::in_place);
  const auto command = static_cast<int>(
      TrackPopupMenu(impl_->menu.get(),
                     TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                     screen.x, screen.y, 0, owner, nullptr));
  // A menu opened for a window that was not in front may otherwise stay open after a click
  // elsewhere; the documented cure is a message to the owner right after.
  PostMessageW(owner, WM_NULL, 0, 0);
  modal.reset();  // the chosen item's handler may run loops of its own
  if (command <= 0 || command > static_cast<int>(impl_->items.size())) return;
  // A copy: the handler may change the menu it was chosen from.
  const Handler handler = impl_->items[static_cast<std::size_t>(command - 1)].onClick;
  if (handler) RunHandler(handler);
}

void PopupMenu::Choose(int index) {
  const auto shown = impl_->Shown();
  if (index < 0 || index >= static_cast<int>(shown.size())) return;
  const Handler handler = impl_->items[shown[index]].onClick;
  if (handler) handler();
}

}  // namespace vetrix::platform

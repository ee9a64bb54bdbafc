#include "shell/tray.h"

#include "base/mouse_messages.h"
#include "platform/system.h"
#include "window/main_window.h"

namespace vetrix {

void HideToTray(MainWindow& window) {
  window.frame.Hide();
  window.frame.ShowOwner(false);
}

void ShowFromTray(MainWindow& window) {
  window.frame.Show();
  window.frame.ShowOwner(true);
  window.frame.BringToFront();
}

void OnTrayMessage(MainWindow& window, std::int32_t mouseMessage) {
  if (mouseMessage == mouse_messages::kLeftDown) {
    ShowFromTray(window);
  } else if (mouseMessage == mouse_messages::kRightDown) {
    // The window must be in front, or the menu would not close when the user clicks elsewhere.
    window.frame.BringToFront();
    window.trayMenu.ShowAt(platform::GetCursorPos());
  }
}

}  // namespace vetrix

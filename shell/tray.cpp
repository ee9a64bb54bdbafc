#include "shell/tray.h"

#include "platform/system.h"
#include "shell/main_form.h"

namespace vetrix {
namespace {
constexpr std::int32_t kLeftButtonDown = 513;
constexpr std::int32_t kRightButtonDown = 516;
}  // namespace

void UpdateTrayIcon(MainForm& form, bool running) {
  form.tray.Modify(running ? platform::TrayPicture::Running : platform::TrayPicture::Stopped);
}

void HideToTray(MainForm& form) {
  form.window.Hide();
  form.window.ShowOwner(false);
}

void ShowFromTray(MainForm& form) {
  form.window.Show();
  form.window.ShowOwner(true);
}

void TrayMessage(MainForm& form, std::int32_t mouseMessage) {
  if (mouseMessage == kLeftButtonDown) {
    ShowFromTray(form);
    form.window.BringToFront();
  } else if (mouseMessage == kRightButtonDown) {
    // The window must be in front, or the menu would not close when the user clicks elsewhere.
    form.window.BringToFront();
    form.PM.ShowAt(platform::GetCursorPos());
  }
}

void Restore1Click(MainForm& form) {
  ShowFromTray(form);
  form.window.BringToFront();
}

void Button4Click(MainForm& form) { HideToTray(form); }

void TaskbarCreated(MainForm& form) { form.tray.Add(); }

}  // namespace vetrix

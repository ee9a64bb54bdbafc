#include "shell/tray.h"

#include "platform/system.h"
#include "shell/main_form.h"

namespace vetrix {

void UpdateTrayIcon(MainForm& form, bool running) {
  form.tray.Modify(running ? platform::TrayPicture::Running : platform::TrayPicture::Stopped);
}

void CloseProgram(MainForm& form) {
  form.s.Stopped = true;
  form.s.PlaybackActive = false;
  form.s.PlacingStart = false;
  form.tray.Delete();
  platform::ExitProcess(0);
}

}  // namespace vetrix

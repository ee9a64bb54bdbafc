// The main window: its controls, in tab order, and the shared state its handlers work on.
// Handlers live with the subsystem that owns them and take the form as their argument.
#pragma once

#include "platform/controls.h"
#include "store/gesture_table.h"

namespace vetrix {

class MainForm {
 public:
  MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  SharedState s;

  platform::Window window;
  platform::Button Button1;
  platform::ListBox List1;
  platform::ListBox List2;
  platform::Timer Timer1;
  platform::TrayIcon tray;
};

}  // namespace vetrix

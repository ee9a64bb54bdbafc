// The main window: its controls, created in tab order, and the shared state its handlers work
// on. Handlers live with the subsystem that owns them and take the form as their argument.
#pragma once

#include <vector>

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
  platform::Image Image1;
  platform::Button Button1;
  platform::Button Button2;
  platform::ListBox List1;
  platform::Button Button3;
  platform::ListBox List2;
  platform::HotKeyField HK;
  platform::CheckBox CB;
  platform::SpinEdit SE;
  platform::CheckBox CB2;
  platform::Button Button4;
  platform::GroupBox GB;
  platform::CheckBox UseMouse;
  platform::CheckBox UseLeft;
  platform::CheckBox UseRight;
  platform::CheckBox UseMiddle;
  platform::ComboBox MSL;
  platform::Button Button5;
  platform::Button Button6;
  platform::Timer Timer1;
  platform::TrayIcon tray;
  platform::PopupMenu PM;   // the tray icon's menu
  platform::PopupMenu Act;  // List2's menu

  // The start-up registration of the hot key failed: the key field takes the focus when the
  // window is first activated.
  bool focusHotKeyOnActivate = false;
  // Whether the hook library holds the trigger button's press back ([Main] "HoldButton").
  bool holdTriggerButton = true;

  // A recording owns the working row at GestureCount (its list rows exist).
  bool recording = false;

  // The [Messages] key of each row of MSL's list, ascending; gaps in the file stay gaps.
  std::vector<int> savedCommandKeys;
};

}  // namespace vetrix

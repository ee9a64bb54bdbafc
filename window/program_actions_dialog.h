// The window of one gesture's actions per program: a row for each program that has an action
// of its own for the gesture, and the buttons that add, change and remove them. It knows no
// handler; shell/program_actions_window.cpp ties them.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace vetrix {

// The client area and the controls' places at 96 dots per inch, in one table.
struct ProgramActionsLayout {
  Size client;
  Rect programList, fileButton, commandButton, nothingButton, removeButton;
  Rect programBox, browseButton, addButton, closeButton;
};
inline constexpr ProgramActionsLayout kProgramActionsLayout{
    .client = {404, 266},
    .programList = {8, 8, 297, 186},
    .fileButton = {313, 8, 83, 25},
    .commandButton = {313, 38, 83, 25},
    .nothingButton = {313, 68, 83, 25},
    .removeButton = {313, 98, 83, 25},
    .programBox = {8, 203, 209, 21},
    .browseButton = {222, 201, 83, 25},
    .addButton = {313, 201, 83, 25},
    .closeButton = {313, 233, 83, 25},
};

class ProgramActionsDialog {
 public:
  // For the gesture of that row; made hidden.
  ProgramActionsDialog(platform::Window& owner, int row);
  ProgramActionsDialog(const ProgramActionsDialog&) = delete;
  ProgramActionsDialog& operator=(const ProgramActionsDialog&) = delete;
  // Every control where the layout puts it at the window's DPI, after a move to a monitor of
  // another scale.
  void LayOut();

  int row;
  // Created in tab order.
  platform::Window frame;
  platform::ListBox programList;  // "notepad.exe: C:\x.exe", "ed.exe: ничего"
  platform::Button fileButton;
  platform::Button commandButton;
  platform::Button nothingButton;
  platform::Button removeButton;
  // The programs with a visible window; a name may be typed too.
  platform::ComboBox programBox;
  platform::Button browseButton;
  platform::Button addButton;
  platform::Button closeButton;
  // The program of each row of programList.
  std::vector<std::string> programs;
};

}  // namespace vetrix

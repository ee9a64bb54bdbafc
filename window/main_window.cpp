#include "window/main_window.h"

#include <string>

#include "base/error.h"
#include "base/texts.h"
#include "store/number.h"
#include "store/script_field.h"
#include "window/program_actions_dialog.h"

namespace vetrix {

MainWindow::MainWindow()
    : frame({.title = texts::kMainTitle,
             .width = kMainWindowSize.width,
             .height = kMainWindowSize.height,
             .minimumWidth = kMainWindowMinimumSize.width,
             .minimumHeight = kMainWindowMinimumSize.height}),
      drawingArea({.parent = frame, .rect = {0, 0, 209, 281}}),
      startButton({.parent = frame, .rect = {8, 288, 75, 25}, .caption = texts::kStart}),
      recordButton({.parent = frame, .rect = {88, 288, 83, 25}, .caption = texts::kRecord}),
      gestureList({.parent = frame, .rect = {208, 0, 30, 281}}),
      deleteGestureButton({.parent = frame, .rect = {232, 288, 75, 25}, .caption = texts::kDelete}),
      actionList({.parent = frame, .rect = {240, 0, 345, 281}}),
      hotKeyField({.parent = frame, .rect = {8, 320, 121, 19}}),
      hotKeyModeBox({.parent = frame, .rect = {136, 320, 113, 17}, .caption = texts::kHotKey}),
      scaleField({.parent = frame, .rect = {176, 288, 49, 22}, .minimum = 1, .maximum = 30}),
      exactModeBox(
          {.parent = frame, .rect = {248, 320, 97, 17}, .caption = texts::kExactRecording}),
      hideButton({.parent = frame, .rect = {512, 288, 75, 25}, .caption = texts::kHide}),
      mouseGroup({.parent = frame, .rect = {320, 280, 185, 41}}),
      mouseTriggerBox({.parent = frame,
                       .group = &mouseGroup,
                       .rect = {3, 7, 166, 17},
                       .caption = texts::kUseMouse}),
      leftButtonRadio({.parent = frame,
                       .group = &mouseGroup,
                       .rect = {3, 22, 57, 17},
                       .caption = texts::kLeft,
                       .radio = true}),
      rightButtonRadio({.parent = frame,
                        .group = &mouseGroup,
                        .rect = {122, 22, 57, 17},
                        .caption = texts::kRight,
                        .radio = true}),
      middleButtonRadio({.parent = frame,
                         .group = &mouseGroup,
                         .rect = {56, 22, 63, 17},
                         .caption = texts::kMiddle,
                         .radio = true}),
      savedCommandBox({.parent = frame, .rect = {8, 344, 417, 21}}),
      addCommandButton({.parent = frame, .rect = {432, 344, 75, 25}, .caption = texts::kAdd}),
      deleteCommandButton({.parent = frame, .rect = {512, 344, 75, 25}, .caption = texts::kDelete}),
      attemptTimer(frame, 3000),
      trayIcon(frame),
      trayMenu(frame),
      bindMenu(frame) {}

MainWindow::~MainWindow() = default;

std::int32_t ScaleValue(const MainWindow& window) {
  const std::string text = window.scaleField.Text();
  if (auto value = ParseInt32(text)) return *value;
  throw Error("'" + text + "' is not a valid integer value");
}

void UpdateRecordButton(MainWindow& window) {
  window.recordButton.SetEnabled(window.state.table.gestureCount < kMaxGestures);
}

void UpdateTrayIcon(MainWindow& window, bool running) {
  window.trayIcon.Modify(running ? platform::TrayPicture::Running : platform::TrayPicture::Stopped);
}

void AddGestureRows(MainWindow& window, int i) {
  window.gestureList.AddRow(std::to_string(i));
  window.actionList.AddRow(ActionDisplayName(window.state.table.action[i]));
}

void RemoveGestureRows(MainWindow& window, int d, int n) {
  for (int j = d + 1; j < n && j < window.gestureList.RowCount(); ++j)
    window.gestureList.SetRowText(j, std::to_string(j - 1));
  window.actionList.DeleteRow(d);
  window.gestureList.DeleteRow(d);
  window.gestureList.Select(-1);
}

}  // namespace vetrix

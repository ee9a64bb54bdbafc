#include "window/main_window.h"

#include <string>

#include "base/dpi.h"
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
      drawingArea({.parent = frame, .rect = Scaled(design::kDrawingArea, frame.Dpi())}),
      startButton({.parent = frame,
                   .rect = Scaled(design::kStartButton, frame.Dpi()),
                   .caption = texts::kStart}),
      recordButton({.parent = frame,
                    .rect = Scaled(design::kRecordButton, frame.Dpi()),
                    .caption = texts::kRecord}),
      gestureList({.parent = frame, .rect = Scaled(design::kGestureList, frame.Dpi())}),
      deleteGestureButton({.parent = frame,
                           .rect = Scaled(design::kDeleteGestureButton, frame.Dpi()),
                           .caption = texts::kDelete}),
      actionList({.parent = frame, .rect = Scaled(design::kActionList, frame.Dpi())}),
      hotKeyField({.parent = frame, .rect = Scaled(design::kHotKeyField, frame.Dpi())}),
      hotKeyModeBox({.parent = frame,
                     .rect = Scaled(design::kHotKeyModeBox, frame.Dpi()),
                     .caption = texts::kHotKey}),
      scaleField({.parent = frame,
                  .rect = Scaled(design::kScaleField, frame.Dpi()),
                  .minimum = 1,
                  .maximum = 30}),
      exactModeBox({.parent = frame,
                    .rect = Scaled(design::kExactModeBox, frame.Dpi()),
                    .caption = texts::kExactRecording}),
      hideButton({.parent = frame,
                  .rect = Scaled(design::kHideButton, frame.Dpi()),
                  .caption = texts::kHide}),
      mouseGroup({.parent = frame, .rect = Scaled(design::kMouseGroup, frame.Dpi())}),
      mouseTriggerBox({.parent = frame,
                       .group = &mouseGroup,
                       .rect = Scaled(design::kMouseTriggerBox, frame.Dpi()),
                       .caption = texts::kUseMouse}),
      leftButtonRadio({.parent = frame,
                       .group = &mouseGroup,
                       .rect = Scaled(design::kLeftButtonRadio, frame.Dpi()),
                       .caption = texts::kLeft,
                       .radio = true}),
      rightButtonRadio({.parent = frame,
                        .group = &mouseGroup,
                        .rect = Scaled(design::kRightButtonRadio, frame.Dpi()),
                        .caption = texts::kRight,
                        .radio = true}),
      middleButtonRadio({.parent = frame,
                         .group = &mouseGroup,
                         .rect = Scaled(design::kMiddleButtonRadio, frame.Dpi()),
                         .caption = texts::kMiddle,
                         .radio = true}),
      savedCommandBox({.parent = frame, .rect = Scaled(design::kSavedCommandBox, frame.Dpi())}),
      addCommandButton({.parent = frame,
                        .rect = Scaled(design::kAddCommandButton, frame.Dpi()),
                        .caption = texts::kAdd}),
      deleteCommandButton({.parent = frame,
                           .rect = Scaled(design::kDeleteCommandButton, frame.Dpi()),
                           .caption = texts::kDelete}),
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

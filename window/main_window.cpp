#include "window/main_window.h"

#include <optional>
#include <string>

#include "base/dpi.h"
#include "base/error.h"
#include "base/texts.h"
#include "store/number.h"
#include "store/script_field.h"
#include "window/program_actions_dialog.h"

namespace vetrix {

namespace {

// What the layout changes of a control's place; the rest stays as designed.
struct Change {
  std::optional<int> left = std::nullopt, top = std::nullopt;
  std::optional<int> width = std::nullopt, height = std::nullopt;
};

// Every control is placed afresh from its design place at the window's DPI, so that a change of
// DPI moves the controls the layout leaves alone as well.
Rect Place(const Rect& designed, std::int32_t dpi, const Change& change = {}) {
  const Rect r = Scaled(designed, dpi);
  return {change.left.value_or(r.left), change.top.value_or(r.top), change.width.value_or(r.width),
          change.height.value_or(r.height)};
}

// At 96 DPI. The drawing area and the lists grow with the window: the drawing area and the
// saved-command box give up a fixed part of the width, the lists and the drawing area a fixed
// part of the height.
constexpr int kDrawingAreaWidthShort = 377;
constexpr int kCommandBoxWidthShort = 171;
constexpr int kListsHeightShort = 89;

// Controls that keep their distance to the right edge: the client width less their left.
constexpr int kGestureListFromRight = 378;
constexpr int kActionListFromRight = 346;  // and the delete button under it
constexpr int kHideButtonFromRight = 77;
constexpr int kMouseGroupFromRight = 269;
constexpr int kAddCommandFromRight = 156;
constexpr int kDeleteCommandFromRight = 76;

// Controls that keep their distance to the bottom edge: the client height less their top.
constexpr int kButtonRowFromBottom = 82;
constexpr int kScaleFieldFromBottom = 81;
constexpr int kMouseGroupFromBottom = 87;
constexpr int kHotKeyFieldFromBottom = 50;
constexpr int kModeBoxesFromBottom = 47;
constexpr int kCommandRowFromBottom = 24;
constexpr int kCommandButtonsFromBottom = 26;

}  // namespace

ControlPlaces PlacesFor(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t dpi) {
  // The client size less a distance given at 96 DPI.
  const auto width = [&](int less) { return clientWidth - Scaled(less, dpi); };
  const auto height = [&](int less) { return clientHeight - Scaled(less, dpi); };
  using namespace design;
  return {
      .drawingArea =
          Place(kDrawingArea, dpi,
                {.width = width(kDrawingAreaWidthShort), .height = height(kListsHeightShort)}),
      .startButton = Place(kStartButton, dpi, {.top = height(kButtonRowFromBottom)}),
      .recordButton = Place(kRecordButton, dpi, {.top = height(kButtonRowFromBottom)}),
      .gestureList =
          Place(kGestureList, dpi,
                {.left = width(kGestureListFromRight), .height = height(kListsHeightShort)}),
      .deleteGestureButton =
          Place(kDeleteGestureButton, dpi,
                {.left = width(kActionListFromRight), .top = height(kButtonRowFromBottom)}),
      .actionList =
          Place(kActionList, dpi,
                {.left = width(kActionListFromRight), .height = height(kListsHeightShort)}),
      .hotKeyField = Place(kHotKeyField, dpi, {.top = height(kHotKeyFieldFromBottom)}),
      .hotKeyModeBox = Place(kHotKeyModeBox, dpi, {.top = height(kModeBoxesFromBottom)}),
      .scaleField = Place(kScaleField, dpi, {.top = height(kScaleFieldFromBottom)}),
      .exactModeBox = Place(kExactModeBox, dpi, {.top = height(kModeBoxesFromBottom)}),
      .hideButton =
          Place(kHideButton, dpi,
                {.left = width(kHideButtonFromRight), .top = height(kButtonRowFromBottom)}),
      .mouseGroup =
          Place(kMouseGroup, dpi,
                {.left = width(kMouseGroupFromRight), .top = height(kMouseGroupFromBottom)}),
      .mouseTriggerBox = Place(kMouseTriggerBox, dpi),
      .leftButtonRadio = Place(kLeftButtonRadio, dpi),
      .middleButtonRadio = Place(kMiddleButtonRadio, dpi),
      .rightButtonRadio = Place(kRightButtonRadio, dpi),
      .savedCommandBox =
          Place(kSavedCommandBox, dpi,
                {.top = height(kCommandRowFromBottom), .width = width(kCommandBoxWidthShort)}),
      .addCommandButton =
          Place(kAddCommandButton, dpi,
                {.left = width(kAddCommandFromRight), .top = height(kCommandButtonsFromBottom)}),
      .deleteCommandButton =
          Place(kDeleteCommandButton, dpi,
                {.left = width(kDeleteCommandFromRight), .top = height(kCommandButtonsFromBottom)}),
  };
}

MainWindow::MainWindow()
    : frame({.title = texts::kMainTitle,
             .width = kMainWindowSize.width,
             .height = kMainWindowSize.height,
             .minimumWidth = kMainWindowMinimumSize.width,
             .minimumHeight = kMainWindowMinimumSize.height}),
      madeAt_([this] {
        const WindowGeometry g = frame.Geometry();
        return PlacesFor(g.clientWidth, g.clientHeight, frame.Dpi());
      }()),
      drawingArea({.parent = frame, .rect = madeAt_.drawingArea}),
      startButton({.parent = frame, .rect = madeAt_.startButton, .caption = texts::kStart}),
      recordButton({.parent = frame, .rect = madeAt_.recordButton, .caption = texts::kRecord}),
      gestureList({.parent = frame, .rect = madeAt_.gestureList}),
      deleteGestureButton(
          {.parent = frame, .rect = madeAt_.deleteGestureButton, .caption = texts::kDelete}),
      actionList({.parent = frame, .rect = madeAt_.actionList}),
      hotKeyField({.parent = frame, .rect = madeAt_.hotKeyField}),
      hotKeyModeBox({.parent = frame, .rect = madeAt_.hotKeyModeBox, .caption = texts::kHotKey}),
      scaleField({.parent = frame, .rect = madeAt_.scaleField, .minimum = 1, .maximum = 30}),
      exactModeBox(
          {.parent = frame, .rect = madeAt_.exactModeBox, .caption = texts::kExactRecording}),
      hideButton({.parent = frame, .rect = madeAt_.hideButton, .caption = texts::kHide}),
      mouseGroup({.parent = frame, .rect = madeAt_.mouseGroup}),
      mouseTriggerBox({.parent = frame,
                       .group = &mouseGroup,
                       .rect = madeAt_.mouseTriggerBox,
                       .caption = texts::kUseMouse}),
      leftButtonRadio({.parent = frame,
                       .group = &mouseGroup,
                       .rect = madeAt_.leftButtonRadio,
                       .caption = texts::kLeft,
                       .radio = true}),
      rightButtonRadio({.parent = frame,
                        .group = &mouseGroup,
                        .rect = madeAt_.rightButtonRadio,
                        .caption = texts::kRight,
                        .radio = true}),
      middleButtonRadio({.parent = frame,
                         .group = &mouseGroup,
                         .rect = madeAt_.middleButtonRadio,
                         .caption = texts::kMiddle,
                         .radio = true}),
      savedCommandBox({.parent = frame, .rect = madeAt_.savedCommandBox}),
      addCommandButton({.parent = frame, .rect = madeAt_.addCommandButton, .caption = texts::kAdd}),
      deleteCommandButton(
          {.parent = frame, .rect = madeAt_.deleteCommandButton, .caption = texts::kDelete}),
      attemptTimer(frame, kAttemptTimeLimitMs),
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

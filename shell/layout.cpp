#include "shell/layout.h"

#include <optional>

#include "base/dpi.h"
#include "capture/gesture_view.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

// What the layout changes of a control's place; the rest stays as designed.
struct Change {
  std::optional<int> left = std::nullopt, top = std::nullopt;
  std::optional<int> width = std::nullopt, height = std::nullopt;
};

// Every control is placed afresh from its design place at the window's DPI, so that a change of
// DPI moves the controls the layout leaves alone as well.
template <class Control>
void Place(Control& c, const Rect& designed, std::int32_t dpi, const Change& change = {}) {
  const Rect r = Scaled(designed, dpi);
  c.SetBounds(Rect{change.left.value_or(r.left), change.top.value_or(r.top),
                   change.width.value_or(r.width), change.height.value_or(r.height)});
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

void OnResize(MainWindow& w) {
  const WindowGeometry g = w.frame.Geometry();
  const std::int32_t dpi = w.frame.Dpi();
  // The client size less a distance given at 96 DPI.
  const auto width = [&](int less) { return g.clientWidth - Scaled(less, dpi); };
  const auto height = [&](int less) { return g.clientHeight - Scaled(less, dpi); };
  using namespace design;
  Place(w.drawingArea, kDrawingArea, dpi,
        {.width = width(kDrawingAreaWidthShort), .height = height(kListsHeightShort)});
  Place(w.gestureList, kGestureList, dpi,
        {.left = width(kGestureListFromRight), .height = height(kListsHeightShort)});
  Place(w.actionList, kActionList, dpi,
        {.left = width(kActionListFromRight), .height = height(kListsHeightShort)});
  Place(w.startButton, kStartButton, dpi, {.top = height(kButtonRowFromBottom)});
  Place(w.recordButton, kRecordButton, dpi, {.top = height(kButtonRowFromBottom)});
  Place(w.deleteGestureButton, kDeleteGestureButton, dpi,
        {.left = width(kActionListFromRight), .top = height(kButtonRowFromBottom)});
  Place(w.hideButton, kHideButton, dpi,
        {.left = width(kHideButtonFromRight), .top = height(kButtonRowFromBottom)});
  Place(w.scaleField, kScaleField, dpi, {.top = height(kScaleFieldFromBottom)});
  Place(w.mouseGroup, kMouseGroup, dpi,
        {.left = width(kMouseGroupFromRight), .top = height(kMouseGroupFromBottom)});
  Place(w.mouseTriggerBox, kMouseTriggerBox, dpi);
  Place(w.leftButtonRadio, kLeftButtonRadio, dpi);
  Place(w.middleButtonRadio, kMiddleButtonRadio, dpi);
  Place(w.rightButtonRadio, kRightButtonRadio, dpi);
  Place(w.hotKeyField, kHotKeyField, dpi, {.top = height(kHotKeyFieldFromBottom)});
  Place(w.hotKeyModeBox, kHotKeyModeBox, dpi, {.top = height(kModeBoxesFromBottom)});
  Place(w.exactModeBox, kExactModeBox, dpi, {.top = height(kModeBoxesFromBottom)});
  Place(w.savedCommandBox, kSavedCommandBox, dpi,
        {.top = height(kCommandRowFromBottom), .width = width(kCommandBoxWidthShort)});
  Place(w.addCommandButton, kAddCommandButton, dpi,
        {.left = width(kAddCommandFromRight), .top = height(kCommandButtonsFromBottom)});
  Place(w.deleteCommandButton, kDeleteCommandButton, dpi,
        {.left = width(kDeleteCommandFromRight), .top = height(kCommandButtonsFromBottom)});

  if (w.state.windowActivated) {
    const Rect area = w.drawingArea.Bounds();
    w.state.drawingRect = {0, 0, area.width, area.height};
    w.drawingArea.SetBitmapSize(area.width, area.height);
  }
  DrawGesture(w);
}

}  // namespace vetrix

#include "shell/layout.h"

#include <optional>

#include "capture/gesture_view.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

// What changes of a control's place; the rest stays as it is.
struct Change {
  std::optional<int> left = std::nullopt, top = std::nullopt;
  std::optional<int> width = std::nullopt, height = std::nullopt;
};

template <class Control>
void Move(Control& c, const Change& change) {
  const Rect r = c.Bounds();
  c.SetBounds(Rect{change.left.value_or(r.left), change.top.value_or(r.top),
                   change.width.value_or(r.width), change.height.value_or(r.height)});
}

// The drawing area and the lists grow with the window: the drawing area and the saved-command
// box give up a fixed part of the width, the lists and the drawing area a fixed part of the
// height.
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
  const int width = g.clientWidth;
  const int height = g.clientHeight;
  Move(w.drawingArea,
       {.width = width - kDrawingAreaWidthShort, .height = height - kListsHeightShort});
  Move(w.gestureList,
       {.left = width - kGestureListFromRight, .height = height - kListsHeightShort});
  Move(w.actionList, {.left = width - kActionListFromRight, .height = height - kListsHeightShort});
  Move(w.startButton, {.top = height - kButtonRowFromBottom});
  Move(w.recordButton, {.top = height - kButtonRowFromBottom});
  Move(w.deleteGestureButton,
       {.left = width - kActionListFromRight, .top = height - kButtonRowFromBottom});
  Move(w.hideButton, {.left = width - kHideButtonFromRight, .top = height - kButtonRowFromBottom});
  Move(w.scaleField, {.top = height - kScaleFieldFromBottom});
  Move(w.mouseGroup, {.left = width - kMouseGroupFromRight, .top = height - kMouseGroupFromBottom});
  Move(w.hotKeyField, {.top = height - kHotKeyFieldFromBottom});
  Move(w.hotKeyModeBox, {.top = height - kModeBoxesFromBottom});
  Move(w.exactModeBox, {.top = height - kModeBoxesFromBottom});
  Move(w.savedCommandBox,
       {.top = height - kCommandRowFromBottom, .width = width - kCommandBoxWidthShort});
  Move(w.addCommandButton,
       {.left = width - kAddCommandFromRight, .top = height - kCommandButtonsFromBottom});
  Move(w.deleteCommandButton,
       {.left = width - kDeleteCommandFromRight, .top = height - kCommandButtonsFromBottom});

  if (w.state.windowActivated) {
    const Rect area = w.drawingArea.Bounds();
    w.state.drawingRect = {0, 0, area.width, area.height};
    w.drawingArea.SetBitmapSize(area.width, area.height);
  }
  DrawGesture(w);
}

}  // namespace vetrix

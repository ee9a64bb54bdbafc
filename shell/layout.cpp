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

}  // namespace

void OnResize(MainWindow& w) {
  const WindowGeometry g = w.frame.Geometry();
  const int width = g.clientWidth;
  const int height = g.clientHeight;
  Move(w.drawingArea, {.width = width - 377, .height = height - 89});
  Move(w.gestureList, {.left = width - 378, .height = height - 89});
  Move(w.actionList, {.left = width - 346, .height = height - 89});
  Move(w.startButton, {.top = height - 82});
  Move(w.recordButton, {.top = height - 82});
  Move(w.deleteGestureButton, {.left = width - 346, .top = height - 82});
  Move(w.hideButton, {.left = width - 77, .top = height - 82});
  Move(w.scaleField, {.top = height - 81});
  Move(w.mouseGroup, {.left = width - 269, .top = height - 87});
  Move(w.hotKeyField, {.top = height - 50});
  Move(w.hotKeyModeBox, {.top = height - 47});
  Move(w.exactModeBox, {.top = height - 47});
  Move(w.savedCommandBox, {.top = height - 24, .width = width - 171});
  Move(w.addCommandButton, {.left = width - 156, .top = height - 26});
  Move(w.deleteCommandButton, {.left = width - 76, .top = height - 26});

  if (w.state.windowActivated) {
    const Rect area = w.drawingArea.Bounds();
    w.state.drawingRect = {0, 0, area.width, area.height};
    w.drawingArea.SetBitmapSize(area.width, area.height);
  }
  DrawGesture(w);
}

}  // namespace vetrix

#include "capture/gesture_view.h"

#include "base/dpi.h"
#include "capture/drawing.h"
#include "window/main_window.h"

namespace vetrix {

void ClearDrawing(MainWindow& window) {
  const DrawingRectangle& r = window.state.drawingRect;
  window.drawingArea.FillRect(r.left, r.top, r.right, r.bottom);
}

Point DrawingStart(const MainWindow& window) {
  return Scaled(window.state.startPoint, window.frame.Dpi());
}

void DrawGesture(MainWindow& window) {
  SharedState& s = window.state;
  const int selected = window.gestureList.Selected();
  if (selected < 0 || selected >= kMaxGestures) return;
  window.drawingArea.SetPen(kBlack);
  ClearDrawing(window);
  const std::int32_t dpi = window.frame.Dpi();
  s.penPoint = DrawingStart(window);
  DrawStartDot(window.drawingArea, s.penPoint, dpi);
  // The scale is read only for a gesture with strokes: one without draws even while the field
  // holds no number.
  if (ReadableStrokeCount(s.table, selected) == 0) return;
  s.penPoint =
      DrawStrokes(window.drawingArea, s.table, selected, s.penPoint, ScaleValue(window), dpi);
}

}  // namespace vetrix

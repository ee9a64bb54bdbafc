#include "capture/exact_recording.h"

#include "capture/direction.h"
#include "capture/drawing.h"
#include "capture/gesture_view.h"
#include "capture/recording.h"
#include "capture/start_point.h"
#include "platform/pacer.h"
#include "platform/system.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace vetrix {

void ExactRecording(MainWindow& window) {
  SharedState& s = window.state;
  GestureTable& t = s.table;
  s.commitRequested = false;
  // Whether the stroke at recordedStrokes is on screen as a preview. A click while only the
  // same-direction continuation of the last commit is shown commits nothing: that direction
  // repeats the last stroke.
  bool previewShown = false;
  platform::Pacer pacer(1);
  while (!s.stopped) {
    const int row = t.gestureCount;
    s.cursorPoint = platform::GetCursorPos();
    const Point pointed = DrawingPoint(s.cursorPoint, window.frame.Geometry());
    const float a = RecordDirection(s.move, MoveX(s.penPoint, pointed), MoveY(s.penPoint, pointed));
    if (s.recordedStrokes > 0 && static_cast<float>(t.angles[row][s.recordedStrokes - 1]) == a)
      s.commitRequested = false;
    if (s.commitRequested && !previewShown) s.commitRequested = false;
    if (s.commitRequested) {
      s.commitRequested = false;
      previewShown = false;
      s.penPoint = s.previewEnd;
      s.previewEnd = DrawStroke(window.drawingArea, s.penPoint, t.angles[row][s.recordedStrokes],
                                ScaleValue(window), window.frame.Dpi());
      CommitStroke(window);
      if (s.stopped) break;
    }
    if (a != s.lastAngle) {
      DrawGesture(window);
      t.angles[row][s.recordedStrokes] = static_cast<std::int32_t>(RoundHalfEven(a));
      s.lastAngle = a;
      s.previewEnd = DrawStroke(window.drawingArea, s.penPoint, t.angles[row][s.recordedStrokes],
                                ScaleValue(window), window.frame.Dpi());
      previewShown = true;
    }
    const bool handled = platform::ProcessMessages();
    pacer.AfterPass(s.cursorPoint, s.stopped, handled);
  }
}

void OnDrawingAreaMouseUp(MainWindow& window, platform::MouseButton button) {
  if (button == platform::MouseButton::Left) window.state.commitRequested = true;
  if (button == platform::MouseButton::Right) PlaceStartPoint(window);
}

void OnExactModeClick(MainWindow& window) {
  WriteOption("AR", window.exactModeBox.Checked() ? "yes" : "no");
}

}  // namespace vetrix

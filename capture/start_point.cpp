#include "capture/start_point.h"

#include "capture/direction.h"
#include "capture/gesture_view.h"
#include "platform/system.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace vetrix {

void PlaceStartPoint(MainWindow& window) {
  SharedState& s = window.state;
  s.placingStart = !s.placingStart;
  if (!s.placingStart) {
    WriteStartPoint(s.startPoint);
    return;
  }
  while (s.placingStart) {
    s.cursorPoint = platform::GetCursorPos();
    s.startPoint = DrawingPoint(s.cursorPoint, window.frame.Geometry());
    platform::ProcessMessages();
    platform::Sleep(1);
    DrawGesture(window);
  }
}

}  // namespace vetrix

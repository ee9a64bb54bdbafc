#include "capture/start_point.h"

#include "base/dpi.h"
#include "base/error.h"
#include "capture/direction.h"
#include "capture/gesture_view.h"
#include "platform/pacer.h"
#include "platform/system.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace vetrix {

void PlaceStartPoint(MainWindow& window) {
  SharedState& s = window.state;
  s.placingStart = !s.placingStart;
  if (!s.placingStart) {
    try {
      WriteStartPoint(s.startPoint);
    } catch (const Error&) {
      // The point the file still holds comes back.
      s.startPoint = s.placingFrom;
      DrawGesture(window);
      throw;
    }
    return;
  }
  s.placingFrom = s.startPoint;
  platform::Pacer pacer(1);
  while (s.placingStart) {
    s.cursorPoint = platform::GetCursorPos();
    // Kept at 96 DPI, as the file keeps it: the drawing scales it where it is drawn.
    s.startPoint =
        Unscaled(DrawingPoint(s.cursorPoint, window.frame.Geometry()), window.frame.Dpi());
    const bool handled = platform::ProcessMessages();
    pacer.AfterPass(s.cursorPoint, !s.placingStart, handled);
    DrawGesture(window);
  }
}

}  // namespace vetrix

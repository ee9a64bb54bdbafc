#include "capture/playback.h"

#include "base/dpi.h"
#include "base/error.h"
#include "capture/direction.h"
#include "platform/system.h"
#include "window/main_window.h"

namespace vetrix {

void PlayBackGesture(MainWindow& window) {
  SharedState& s = window.state;
  s.cursorPoint = platform::GetCursorPos();
  s.playbackPoint = s.cursorPoint;
  s.playbackActive = true;
  window.gestureList.SetEnabled(false);
  // However playback ends, also by a scale that is not a number, the list comes back and the
  // cursor returns; a failed playback must not leave the gesture list disabled for good.
  struct Restore {
    MainWindow& window;
    ~Restore() {
      window.gestureList.SetEnabled(true);
      platform::SetCursorPos(window.state.cursorPoint);
    }
  } restore{window};
  // The gesture's hand size on the monitor it is played on.
  const std::int32_t dpi = platform::DpiAt(s.playbackPoint);
  const int selected = window.gestureList.Selected();
  const int strokes =
      selected >= 0 && selected < kMaxGestures ? ReadableStrokeCount(s.table, selected) : 0;
  for (int i = 0; i < strokes; ++i) {
    const std::int32_t angle = s.table.angles[selected][i];
    for (s.playbackStep = 0; s.playbackStep <= 5; ++s.playbackStep) {
      if (!s.playbackActive) return;
      platform::SetCursorPos(s.playbackPoint);
      try {
        s.playbackPoint =
            Moved(s.playbackPoint, PlaybackOffset(angle, Scaled(ScaleValue(window), dpi)));
      } catch (const Error&) {
        s.playbackActive = false;
        throw;
      }
      platform::Sleep(25);
      platform::ProcessMessages();
    }
  }
}

}  // namespace vetrix

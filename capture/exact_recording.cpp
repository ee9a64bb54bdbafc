#include "capture/exact_recording.h"

#include "capture/direction.h"
#include "capture/drawing.h"
#include "capture/recording.h"
#include "platform/system.h"
#include "shell/main_form.h"
#include "store/settings.h"

namespace vetrix {

void ExactRecording(MainForm& form) {
  SharedState& s = form.s;
  GestureTable& t = s.table;
  s.CommitRequested = false;
  // Whether the stroke at RecordedSegments is on screen as a preview. A click while only the
  // same-direction continuation of the last commit is shown commits nothing: that direction
  // repeats the last stroke.
  bool previewShown = false;
  while (!s.Stopped) {
    const int row = t.GestureCount;
    s.CursorPoint = platform::GetCursorPos();
    const Point pointed = DrawingPoint(s.CursorPoint, form.window.Geometry());
    const float a = RecordDirection(s.move, MoveX(s.PenPoint, pointed), MoveY(s.PenPoint, pointed));
    if (s.RecordedSegments > 0 && static_cast<float>(t.Angles[row][s.RecordedSegments - 1]) == a)
      s.CommitRequested = false;
    if (s.CommitRequested && !previewShown) s.CommitRequested = false;
    if (s.CommitRequested) {
      s.CommitRequested = false;
      previewShown = false;
      s.PenPoint = s.PreviewEnd;
      s.PreviewEnd = DrawSegment(form, s.PenPoint, t.Angles[row][s.RecordedSegments]);
      CommitStroke(form);
      if (s.Stopped) break;
    }
    if (a != s.LastAngle) {
      DrawGesture(form);
      t.Angles[row][s.RecordedSegments] = static_cast<std::int32_t>(RoundHalfEven(a));
      s.LastAngle = a;
      s.PreviewEnd = DrawSegment(form, s.PenPoint, t.Angles[row][s.RecordedSegments]);
      previewShown = true;
    }
    platform::ProcessMessages();
    platform::Sleep(1);
  }
}

void Image1MouseUp(MainForm& form, platform::MouseButton button) {
  if (button == platform::MouseButton::Left) form.s.CommitRequested = true;
  if (button == platform::MouseButton::Right) PlaceStartPoint(form);
}

void CB2Click(MainForm& form) { WriteOption("AR", form.CB2.Checked() ? "yes" : "no"); }

}  // namespace vetrix

#include "recognition/recognition.h"

#include <cmath>

#include "capture/direction.h"
#include "capture/drawing.h"
#include "platform/system.h"
#include "recognition/action.h"
#include "recognition/hot_key.h"
#include "shell/main_form.h"
#include "shell/tray.h"
#include "text/texts.h"

namespace vetrix {
namespace {

void ResetProgress(SharedState& s) {
  const int count = TableSize(s.table);
  for (int j = 0; j < count; ++j) s.table.MatchProgress[j] = 0;
}

bool MovementCounts(const SharedState& s) {
  const float dx = static_cast<float>(s.AnchorPoint.x - s.CursorPoint.x);
  const float dy = static_cast<float>(s.AnchorPoint.y - s.CursorPoint.y);
  const long double d = static_cast<long double>(dx) * dx + static_cast<long double>(dy) * dy;
  return std::sqrt(d) > 20;
}

void Fire(MainForm& form, int j) {
  SharedState& s = form.s;
  ResetProgress(s);
  form.List1.Select(j);
  form.List2.Select(j);
  s.MatchFailures = 0;
  form.Timer1.Stop();
  RunAction(form, j);
  DrawGesture(form);
  if (s.OneShot) form.Button1.Click();
}

}  // namespace

bool SegmentMatches(SharedState& s, int j, int k) {
  if (j < 0 || j >= kMaxGestures || k < 0 || k >= StrokeCount(s.table, j)) return false;
  const long double m = SampleDirection(s.move, MoveX(s.AnchorPoint, s.CursorPoint),
                                        MoveY(s.AnchorPoint, s.CursorPoint));
  const long double a = s.table.Angles[j][k];
  return std::fabs(a - m) < AngleTolerance || std::fabs(a - m + 360) < AngleTolerance;
}

void RecognitionStep(MainForm& form, bool& anyStarted) {
  SharedState& s = form.s;
  GestureTable& t = s.table;
  s.CursorPoint = platform::GetCursorPos();

  if (MovementCounts(s)) {
    for (int j = 0; j < TableSize(t); ++j) {
      std::int32_t& progress = t.MatchProgress[j];
      if (progress > 0) {
        if (SegmentMatches(s, j, progress)) {
          ++progress;
        } else if (!SegmentMatches(s, j, progress - 1)) {
          progress = 0;
          ++s.MatchFailures;
        }
      }
      if (progress == 0 && SegmentMatches(s, j, 0) && !form.Timer1.Running()) {
        progress = 1;
        anyStarted = true;
      }
    }
    s.AnchorPoint = s.CursorPoint;
    if (anyStarted) form.Timer1.Start();
  }

  if (s.MatchFailures >= t.GestureCount - 1) {
    s.MatchFailures = 0;
    form.Timer1.Stop();
  }

  // A gesture without strokes has nothing to follow; it would otherwise fire on every pass.
  for (int j = 0; j < TableSize(t); ++j) {
    if (!t.Action[j].empty() && StrokeCount(t, j) > 0 && t.MatchProgress[j] == t.SegmentCount[j])
      Fire(form, j);
  }
}

void Button1Click(MainForm& form) {
  SharedState& s = form.s;
  if (!RefreshHotKey(form)) return;
  s.Stopped = !s.Stopped;
  s.AnchorPoint = platform::GetCursorPos();
  if (!s.Stopped) {
    form.Button1.SetCaption(texts::kWaiting);
    UpdateTrayIcon(form, true);
  } else {
    form.Button1.SetCaption(texts::kStart);
    UpdateTrayIcon(form, false);
  }
  s.MatchFailures = 0;
  ResetProgress(s);
  bool anyStarted = false;
  while (!s.Stopped) {
    RecognitionStep(form, anyStarted);
    platform::ProcessMessages();
    platform::Sleep(10);
  }
}

void Timer1Timer(MainForm& form) {
  form.Timer1.Stop();
  ResetProgress(form.s);
}

}  // namespace vetrix

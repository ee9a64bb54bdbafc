#include "recognition/recognition.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "base/texts.h"
#include "capture/direction.h"
#include "capture/gesture_view.h"
#include "platform/foreground.h"
#include "platform/pacer.h"
#include "platform/system.h"
#include "recognition/action.h"
#include "recognition/hot_key.h"
#include "recognition/watcher.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

void ResetProgress(SharedState& s) {
  const int count = TableSize(s.table);
  for (int j = 0; j < count; ++j) s.table.matchProgress[j] = 0;
}

bool MovementCounts(const SharedState& s) {
  const float dx = static_cast<float>(s.anchorPoint.x - s.cursorPoint.x);
  const float dy = static_cast<float>(s.anchorPoint.y - s.cursorPoint.y);
  const long double d = static_cast<long double>(dx) * dx + static_cast<long double>(dy) * dy;
  return std::sqrt(d) > ScaledDistance(kCountedMovement, s.anchorDpi);
}

void Fire(MainWindow& window, int j, const std::string& action, const ProgramActions* program) {
  SharedState& s = window.state;
  ResetProgress(s);
  const Firing firing{j, action, platform::TickCountMs(), program ? program->program : ""};
  TellWatchers(window, [&firing](RecognitionWatcher& w) { w.Fired(firing); });
  s.matchFailures = 0;
  window.attemptTimer.Stop();
  RunAction(window, firing.action);
  DrawGesture(window);
  if (s.oneShot) window.startButton.Click();
}

// Rare next to the passes that drop nothing, and only for a watched window.
void TellDropout(const MainWindow& window, const Dropout& dropout) {
  TellWatchers(window, [&dropout](RecognitionWatcher& w) { w.DroppedOut(dropout); });
}

// Completion where some programs have actions of their own: the program in front is asked
// once per pass, and only when a gesture that one of them names has completed.
void FireCompletedPerProgram(MainWindow& window) {
  SharedState& s = window.state;
  GestureTable& t = s.table;
  bool asked = false;
  const ProgramActions* front = nullptr;
  for (int j = 0; j < TableSize(t); ++j) {
    if (ReadableStrokeCount(t, j) == 0 || t.matchProgress[j] != t.strokeCount[j]) continue;
    const bool named = std::any_of(s.programActions.begin(), s.programActions.end(),
                                   [j](const ProgramActions& p) { return p.Find(j); });
    const std::string* own = nullptr;
    if (named) {
      if (!asked) front = FindProgram(s.programActions, platform::ForegroundProgram());
      asked = true;
      own = front ? front->Find(j) : nullptr;
    }
    const std::string& action = own ? *own : t.action[j];
    if (!action.empty()) {
      Fire(window, j, action, own ? front : nullptr);
    } else if (named) {
      // The program in front had its say when the gesture was drawn: it does nothing here, and
      // must not fire later because another program has come to the front.
      if (window.watchers) TellDropout(window, {j, t.matchProgress[j], s.move.angle});
      t.matchProgress[j] = 0;
    }
  }
}

// The angles come from the file unchecked: the difference is taken in 64 bits.
bool Matches(std::int32_t angle, std::int32_t direction) {
  const std::int64_t apart = static_cast<std::int64_t>(angle) - direction;
  return (apart > -kAngleTolerance && apart < kAngleTolerance) ||
         (apart + 360 > -kAngleTolerance && apart + 360 < kAngleTolerance);
}

void EndAttempts(MainWindow& window) {
  window.attemptTimer.Stop();
  ResetProgress(window.state);
}

void ShowRecognitionState(MainWindow& window) {
  const bool running = !window.state.stopped;
  window.startButton.SetCaption(running ? texts::kWaiting.view() : texts::kStart.view());
  UpdateTrayIcon(window, running);
}

}  // namespace

std::int32_t MeasuredDirection(SharedState& s) {
  // Whole degrees from 0 to 360: the conversion is exact.
  return static_cast<std::int32_t>(SampleDirection(s.move, MoveX(s.anchorPoint, s.cursorPoint),
                                                   MoveY(s.anchorPoint, s.cursorPoint)));
}

bool StrokeMatches(const GestureTable& t, int j, int k, std::int32_t direction) {
  if (j < 0 || j >= kMaxGestures || k < 0 || k >= ReadableStrokeCount(t, j)) return false;
  return Matches(t.angles[j][k], direction);
}

void RecognitionStep(MainWindow& window, bool& anyStarted) {
  SharedState& s = window.state;
  GestureTable& t = s.table;
  const Point anchor = s.anchorPoint;
  s.cursorPoint = platform::GetCursorPos();
  TellWatchers(window, [&s](RecognitionWatcher& w) { w.PassSampled(s.cursorPoint, s.paused); });
  // Nothing is followed while a program that recognition stays out of is in front, and what
  // the pointer did there is no stroke once it has gone.
  if (s.paused) {
    s.anchorPoint = s.cursorPoint;
    TellWatchers(window, [anchor](RecognitionWatcher& w) { w.PassFollowed(anchor, true); });
    return;
  }

  const bool counted = MovementCounts(s);
  // Between passes an action may have been bound to a gesture already complete; after a counted
  // movement the loop that follows it knows whether any complete one has an action.
  bool mayFire = true;
  if (counted) {
    // Every check of this pass sees the same movement: its direction is measured once.
    const std::int32_t direction = MeasuredDirection(s);
    const bool timerRunning = window.attemptTimer.Running();
    const int count = TableSize(t);
    bool started = false;
    mayFire = false;
    // What the movement does to each gesture: the next stroke matched moves it on, the stroke
    // just followed keeps it, anything else drops it; one not followed (also one just dropped)
    // starts when the movement matches its first stroke while no attempt's timer runs.
    for (int j = 0; j < count; ++j) {
      const std::int32_t* const angles = t.angles[j];
      const std::int32_t strokeCount = t.strokeCount[j];
      const int strokes = ReadableStrokeCount(t, j);
      const auto matches = [&](std::int32_t k) {
        return k < strokes && Matches(angles[k], direction);
      };
      const std::int32_t before = t.matchProgress[j];
      std::int32_t progress = before;
      bool dropped = false;
      if (progress > 0) {
        if (matches(progress)) {
          ++progress;
        } else if (!matches(progress - 1)) {
          progress = 0;
          dropped = true;
        }
      }
      if (progress == 0 && !timerRunning && matches(0)) {
        progress = 1;
        started = true;
      }
      t.matchProgress[j] = progress;
      mayFire |= progress == strokeCount && strokes > 0 && !t.action[j].empty();
      if (!dropped) continue;
      ++s.matchFailures;
      if (window.watchers) TellDropout(window, {j, before, static_cast<float>(direction)});
    }
    if (started) anyStarted = true;
    s.anchorPoint = s.cursorPoint;
    s.anchorDpi = platform::DpiAt(s.anchorPoint);
    if (anyStarted) window.attemptTimer.Start();
  }

  if (s.matchFailures >= t.gestureCount - 1) {
    s.matchFailures = 0;
    window.attemptTimer.Stop();
  }
  TellWatchers(window,
               [anchor, counted](RecognitionWatcher& w) { w.PassFollowed(anchor, counted); });

  if (!s.programActions.empty()) return FireCompletedPerProgram(window);
  if (!mayFire) return;
  // A gesture without strokes has nothing to follow; it would otherwise fire on every pass.
  for (int j = 0; j < TableSize(t); ++j) {
    if (t.matchProgress[j] == t.strokeCount[j] && ReadableStrokeCount(t, j) > 0 &&
        !t.action[j].empty())
      Fire(window, j, t.action[j], nullptr);
  }
}

void ToggleRecognition(MainWindow& window) {
  SharedState& s = window.state;
  const bool byButton = std::exchange(window.state.buttonPressStartsRun, false);
  if (!RefreshHotKey(window)) return;
  s.stopped = !s.stopped;
  s.anchorPoint = platform::GetCursorPos();
  const bool starts = !s.stopped;
  TellWatchers(window, [starts](RecognitionWatcher& w) { w.RunToggled(starts); });
  ShowRecognitionState(window);
  s.matchFailures = 0;
  ResetProgress(s);
  if (s.stopped) return;
  s.anchorDpi = platform::DpiAt(s.anchorPoint);
  const RunStart start{byButton || s.oneShot, s.anchorPoint};
  TellWatchers(window, [&start](RecognitionWatcher& w) { w.RunStarted(start); });
  const auto ended = [&window] {
    TellWatchers(window, [](RecognitionWatcher& w) { w.RunEnded(); });
  };
  bool anyStarted = false;
  platform::Pacer pacer(10);
  try {
    while (!s.stopped) {
      RecognitionStep(window, anyStarted);
      const bool handled = platform::ProcessMessages();
      TellWatchers(window, [](RecognitionWatcher& w) { w.Pumped(); });
      pacer.AfterPass(s.cursorPoint, s.stopped, handled);
    }
  } catch (const std::exception&) {
    // An error ends the run (and any run it is nested in): the caption and the tray say so.
    if (!s.stopped) {
      s.stopped = true;
      ShowRecognitionState(window);
    }
    ended();
    throw;
  }
  ended();
}

void OnAttemptTimeout(MainWindow& window) {
  TellWatchers(window, [](RecognitionWatcher& w) { w.TimedOut(); });
  EndAttempts(window);
}

void DropMatchingAttempts(MainWindow& window) {
  EndAttempts(window);
  window.state.matchFailures = 0;
}

}  // namespace vetrix

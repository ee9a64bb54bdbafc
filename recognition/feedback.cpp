#include "recognition/feedback.h"

#include <cstdlib>
#include <memory>

#include "base/texts.h"
#include "platform/feedback.h"
#include "store/script_field.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

struct Feedback {
  int depth = 0;      // runs in progress, nested ones included
  int triggered = 0;  // the depth of the triggered run in progress; 0: none
  bool trailOpen = false;
  bool penDown = false;  // the trail has a last point, and so it shows something
  Point last;
  Point start;
  Size slop;
  bool wandered = false;  // beyond the drag rectangle around the start
  bool fired = false;
};

bool Beyond(Point p, Point start, Size slop) {
  return std::abs(p.x - start.x) > slop.width || std::abs(p.y - start.y) > slop.height;
}

}  // namespace

std::string TipText(const std::string& action) {
  if (!action.empty() && action[0] == '*') return ActionDisplayName(action);
  return action.substr(action.find_last_of("\\/") + 1);
}

void ShowRecognitionFeedback(MainWindow& window) {
  // Shared by the listeners; each notice is a plain call, none allocates.
  const auto f = std::make_shared<Feedback>();
  window.runStartListeners.push_back([&window, f](const RunStart& run) {
    ++f->depth;
    // A press nested in a triggered run goes on drawing the same trail.
    if (!run.triggered || f->triggered) return;
    f->triggered = f->depth;
    f->start = run.at;
    f->slop = platform::DragSlop();
    f->wandered = f->fired = false;
    // The surface is made before the first pass: a pass makes nothing. Making it takes a while,
    // and the pointer goes on meanwhile: the line starts where the run did.
    f->trailOpen = window.feedback.trail;
    if (f->trailOpen) {
      platform::OpenTrail();
      platform::ExtendTrail(run.at);
    }
    f->last = run.at;
    f->penDown = f->trailOpen;
  });
  window.passSampleListeners.push_back([f](Point cursor, bool paused) {
    if (!f->triggered) return;
    if (paused) {
      // Nothing of the trail stays over the program recognition stays out of, and the line
      // starts afresh where the pointer is when the pause ends.
      if (f->trailOpen && f->penDown) {
        platform::ClearTrail();
        platform::LiftTrail();
      }
      f->penDown = false;
      return;
    }
    if (!f->wandered && Beyond(cursor, f->start, f->slop)) f->wandered = true;
    if (f->penDown && cursor == f->last) return;
    if (f->trailOpen) platform::ExtendTrail(cursor);
    f->last = cursor;
    f->penDown = true;
  });
  window.firingListeners.push_back([&window, f](const Firing& firing) {
    f->fired = true;
    if (window.feedback.tip) platform::ShowTip(TipText(firing.action), window.state.cursorPoint);
  });
  window.runEndListeners.push_back([&window, f] {
    if (f->depth-- != f->triggered) return;
    f->triggered = 0;
    if (f->trailOpen) platform::CloseTrail();
    f->trailOpen = false;
    if (window.feedback.tip && f->wandered && !f->fired)
      platform::ShowTip(texts::kNotRecognised, window.state.cursorPoint);
  });
}

}  // namespace vetrix

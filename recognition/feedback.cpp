#include "recognition/feedback.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "base/texts.h"
#include "platform/feedback.h"
#include "platform/system.h"
#include "recognition/watcher.h"
#include "store/script_field.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

// How long the pointer rests, with no attempt running, before the next try's trail starts
// afresh.
constexpr std::uint64_t kTrailRestMs = 1000;

bool Beyond(Point p, Point start, Size slop) {
  return std::abs(p.x - start.x) > slop.width || std::abs(p.y - start.y) > slop.height;
}

// Each notice is a plain call: none allocates.
class Feedback : public RecognitionWatcher {
 public:
  explicit Feedback(MainWindow& window) : window_(window) {}

  void RunStarted(const RunStart& run) override {
    ++depth_;
    // A press nested in a triggered run goes on drawing the same trail.
    if (!run.triggered || triggered_) return;
    triggered_ = depth_;
    start_ = run.at;
    slop_ = platform::DragSlop(run.at);
    wandered_ = fired_ = false;
    // The surface is made before the first pass: a pass makes nothing. Making it takes a while,
    // and the pointer goes on meanwhile: the line starts where the run did.
    trailOpen_ = window_.state.feedback.trail;
    if (trailOpen_) {
      platform::OpenTrail();
      platform::ExtendTrail(run.at);
    }
    last_ = run.at;
    penDown_ = trailOpen_;
    attemptRan_ = false;
    movedMs_ = platform::TickCountMs();
  }

  void PassSampled(Point cursor, bool paused) override {
    if (!triggered_) return;
    if (paused) {
      // Nothing of the trail stays over the program recognition stays out of, and the line
      // starts afresh where the pointer is when the pause ends.
      if (trailOpen_ && penDown_) {
        platform::ClearTrail();
        platform::LiftTrail();
      }
      penDown_ = false;
      return;
    }
    if (!wandered_ && Beyond(cursor, start_, slop_)) wandered_ = true;
    const std::uint64_t now = platform::TickCountMs();
    if (penDown_ && cursor == last_) return;
    // A new try after the pointer rested with no attempt running starts a trail of its own.
    if (trailOpen_ && penDown_ && !AttemptRunning() && now - movedMs_ >= kTrailRestMs) {
      platform::ClearTrail();
      platform::LiftTrail();
    }
    if (trailOpen_) platform::ExtendTrail(cursor);
    last_ = cursor;
    movedMs_ = now;
    penDown_ = true;
  }

  // An attempt that ended without firing (every gesture dropped, or the timer ran out) takes
  // its trail with it: a long run of a hot key keeps only the try in progress drawn. A gesture
  // that fired stays drawn while the button is held.
  void PassFollowed(Point /*anchor*/, bool /*anchorMoved*/) override { EndedAttemptClears(); }
  void Pumped() override { EndedAttemptClears(); }

  void Fired(const Firing& firing) override {
    fired_ = true;
    firedInAttempt_ = true;
    if (window_.state.feedback.tip)
      platform::ShowTip(TipText(firing.action, firing.program), window_.state.cursorPoint);
  }

  void EndedAttemptClears() {
    const bool running = AttemptRunning();
    if (running && !attemptRan_) firedInAttempt_ = false;
    if (attemptRan_ && !running && !firedInAttempt_ && trailOpen_ && penDown_) {
      platform::ClearTrail();
      platform::LiftTrail();
      penDown_ = false;
    }
    attemptRan_ = running;
  }

  // Any gesture followed, or the attempt timer running.
  bool AttemptRunning() const {
    if (window_.attemptTimer.Running()) return true;
    const GestureTable& t = window_.state.table;
    return std::any_of(t.matchProgress, t.matchProgress + TableSize(t),
                       [](std::int32_t progress) { return progress > 0; });
  }

  void RunEnded() override {
    if (depth_-- != triggered_) return;
    triggered_ = 0;
    if (trailOpen_) platform::CloseTrail();
    trailOpen_ = false;
    if (window_.state.feedback.tip && wandered_ && !fired_)
      platform::ShowTip(texts::kNotRecognised, window_.state.cursorPoint);
  }

 private:
  MainWindow& window_;
  int depth_ = 0;      // runs in progress, nested ones included
  int triggered_ = 0;  // the depth of the triggered run in progress; 0: none
  bool trailOpen_ = false;
  bool penDown_ = false;  // the trail has a last point, and so it shows something
  Point last_;
  Point start_;
  Size slop_;
  bool wandered_ = false;  // beyond the drag rectangle around the start
  bool fired_ = false;
  bool attemptRan_ = false;      // at the last look
  bool firedInAttempt_ = false;  // the attempt in progress, or the last one, fired
  std::uint64_t movedMs_ = 0;    // when the pointer last moved
};

}  // namespace

std::string TipText(const std::string& action, const std::string& program) {
  std::string text = !action.empty() && action[0] == '*'
                         ? ActionDisplayName(action)
                         : action.substr(action.find_last_of("\\/") + 1);
  if (!program.empty()) text += " (" + program + ")";
  return text;
}

void ShowRecognitionFeedback(MainWindow& window) {
  Watch(window, std::make_unique<Feedback>(window));
}

}  // namespace vetrix

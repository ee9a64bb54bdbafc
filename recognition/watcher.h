// What follows recognition from the outside (the lists' selection, the trail and the tip, the
// attempt trace, the checker's replay): each hears recognition's notices, in the order it began
// to watch. A notice does nothing unless a watcher overrides it. The notices of a pass come
// inside it, where a watcher neither allocates nor writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "window/main_window.h"

namespace vetrix {

// A gesture fired: its row, the action it runs, the time on the system's clock, and the program
// in front when that action is the program's own (else empty).
struct Firing {
  int row = 0;
  std::string action;
  std::uint64_t ms = 0;
  std::string program;
};

// A run starts: whether a trigger started it (the chosen mouse button's press, or hot-key mode,
// whose run ends by itself after one gesture) rather than the continuous mode, and where the
// pointer was.
struct RunStart {
  bool triggered = false;
  Point at;
};

// A gesture dropped out: its row, how many of its strokes it had followed, and the direction of
// the last counted movement. Either that movement matched neither the stroke it had followed
// nor the next, or the gesture was complete where the program in front gives it nothing to run.
struct Dropout {
  int row = 0;
  std::int32_t followed = 0;
  float direction = 0;
};

class RecognitionWatcher {
 public:
  virtual ~RecognitionWatcher() = default;

  // The start button turned recognition on or off, before the caption says so.
  virtual void RunToggled(bool /*on*/) {}
  // A run's loop is about to begin; nested runs too.
  virtual void RunStarted(const RunStart& /*run*/) {}
  // A pass sampled the pointer, and recognition is paused there or not.
  virtual void PassSampled(Point /*cursor*/, bool /*paused*/) {}
  // Inside a pass, as the gesture drops out; the ones after it are still to be followed.
  virtual void DroppedOut(const Dropout& /*dropout*/) {}
  // A pass has followed every gesture, or none while paused, and none has fired yet: the point
  // its movement was measured from, and whether the pass took the cursor as the next one (a
  // counted movement, or a pause).
  virtual void PassFollowed(Point /*anchor*/, bool /*anchorMoved*/) {}
  // The pump after a pass returned.
  virtual void Pumped() {}
  // The attempt timer ran out: every gesture still holds what it followed, and loses it next.
  virtual void TimedOut() {}
  // A run's loop ended, also by an error; an inner run ends before the run it is nested in.
  virtual void RunEnded() {}
  // A gesture fired; its action has not run yet.
  virtual void Fired(const Firing& /*firing*/) {}
};

// For a watcher that only wants the firings.
class FiringWatcher : public RecognitionWatcher {
 public:
  explicit FiringWatcher(std::function<void(const Firing&)> onFiring)
      : onFiring_(std::move(onFiring)) {}
  void Fired(const Firing& firing) override { onFiring_(firing); }

 private:
  std::function<void(const Firing&)> onFiring_;
};

// The watchers of one window. The window keeps them (MainWindow::watchers), so that they go with
// it; it is made at the first watch.
class RecognitionWatchers {
 public:
  using List = std::vector<std::unique_ptr<RecognitionWatcher>>;
  List::const_iterator begin() const { return list_.begin(); }
  List::const_iterator end() const { return list_.end(); }

 private:
  friend void Watch(MainWindow&, std::unique_ptr<RecognitionWatcher>);
  friend void StopWatching(MainWindow&, const RecognitionWatcher&);
  friend std::size_t WatcherCount(const MainWindow&);
  List list_;
};

// From now on `watcher` hears the window's notices, after the watchers it has.
void Watch(MainWindow& window, std::unique_ptr<RecognitionWatcher> watcher);
// The watcher hears no more, and is gone.
void StopWatching(MainWindow& window, const RecognitionWatcher& watcher);
std::size_t WatcherCount(const MainWindow& window);

// Tells every watcher of the window one notice: `tell(watcher)`. A window nothing watches costs
// a pass one test per notice.
template <typename Tell>
void TellWatchers(const MainWindow& window, Tell tell) {
  if (!window.watchers) return;
  for (const auto& watcher : *window.watchers) tell(*watcher);
}

}  // namespace vetrix

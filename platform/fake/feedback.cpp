// The trail drawn into a picture of the screen and the tips remembered, for the tests to look at.
#include "platform/feedback.h"

#include <algorithm>
#include <string>

#include "base/dpi.h"
#include "platform/fake/world.h"
#include "platform/trail_canvas.h"

namespace vetrix::platform {

using fake::TheWorld;

namespace {

TrailCanvas Canvas(fake::World& w) {
  return TrailCanvas(w.trail.pixels.data(), w.screen.width, w.screen.height, {0, 0}, w.trail.width);
}

}  // namespace

// The tip's timer, known to the world's timer list by this address.
const char kTipTimer = 0;

void OpenTrail() {
  auto& t = TheWorld().trail;
  const Size screen = TheWorld().screen;
  const int opened = t.opened;
  t = {};
  t.open = true;
  t.opened = opened + 1;
  t.pixels.assign(static_cast<std::size_t>(screen.width) * screen.height, 0);
  // Recording a point must not allocate in a pass: the room is made here.
  t.points.reserve(fake::World::kTrailPointsKept);
  t.lifts.reserve(fake::World::kTrailPointsKept);
}

void ExtendTrail(Point to) {
  auto& w = TheWorld();
  auto& t = w.trail;
  if (!t.open) return;
  if (t.points.size() < fake::World::kTrailPointsKept) t.points.push_back(to);
  if (!t.penDown) t.width = FeedbackSizesAt(w.DpiAt(to)).trailWidth;
  if (t.penDown) {
    const Rect line = TrailLineBox(t.last, to, t.width);
    if (!Covers(t.picture, line)) {
      t.picture = TrailPictureFor(t.picture, line, {0, 0, w.screen.width, w.screen.height});
      t.largestPicture =
          std::max(t.largestPicture, std::int64_t{t.picture.width} * t.picture.height);
    }
    Canvas(w).Line(t.last, to);
  }
  t.last = to;
  t.penDown = true;
}

void LiftTrail() {
  auto& t = TheWorld().trail;
  if (t.penDown && t.lifts.size() < fake::World::kTrailPointsKept)
    t.lifts.push_back(t.points.size());
  t.penDown = false;
}

void ClearTrail() {
  auto& t = TheWorld().trail;
  std::fill(t.pixels.begin(), t.pixels.end(), 0u);
  t.picture = {};
}

void CloseTrail() {
  auto& t = TheWorld().trail;
  t.open = false;
  t.penDown = false;
  // The points stay for the tests; the picture goes with the surface.
  t.pixels = {};
  t.picture = {};
}

void ShowTip(std::string_view text, Point pointer) {
  auto& w = TheWorld();
  w.tips.push_back({std::string(text), pointer, w.now});
  w.tipShown = true;
  w.StopTimer(&kTipTimer);
  w.StartTimer(&kTipTimer, kTipMs, [] {
    TheWorld().tipShown = false;
    TheWorld().StopTimer(&kTipTimer);
  });
}

Size DragSlop(Point at) { return Scaled(TheWorld().dragSlop, TheWorld().DpiAt(at)); }

}  // namespace vetrix::platform

namespace vetrix::fake {

bool World::TipTimerRunning() const { return TimerRunning(&platform::kTipTimer); }

int World::TrailCover(Point at) const {
  if (!trail.open) return 0;
  // The canvas only reads here.
  auto* pixels = const_cast<std::uint32_t*>(trail.pixels.data());
  const platform::TrailCanvas canvas(pixels, screen.width, screen.height, {0, 0});
  return static_cast<int>(canvas.At(at) >> 24);
}

}  // namespace vetrix::fake

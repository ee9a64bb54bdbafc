#include "platform/fake/world.h"

#include <algorithm>
#include <memory>

#include "platform/handler.h"

namespace vetrix::fake {
namespace {
std::unique_ptr<World> g_world = std::make_unique<World>();
}

World& TheWorld() { return *g_world; }
void ResetWorld() { g_world = std::make_unique<World>(); }

void World::At(std::uint64_t timeMs, std::function<void()> fn) {
  script_.push_back({false, timeMs, order_++, std::move(fn)});
}

void World::AfterPumps(std::uint64_t n, std::function<void()> fn) {
  script_.push_back({true, pumps + n, order_++, std::move(fn)});
}

void World::CursorPath(const std::vector<Point>& path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    const Point p = path[i];
    AfterPumps(i + 1, [this, p] { cursor = p; });
  }
}

void World::StartTimer(const void* id, std::uint32_t interval, std::function<void()> fire) {
  if (TimerRunning(id)) return;
  timers_.push_back({id, interval, now + interval, std::move(fire)});
}

void World::StopTimer(const void* id) {
  std::erase_if(timers_, [id](const TimerSlot& t) { return t.id == id; });
}

bool World::TimerRunning(const void* id) const {
  return std::any_of(timers_.begin(), timers_.end(),
                     [id](const TimerSlot& t) { return t.id == id; });
}

void World::Pump() {
  ++pumps;
  // A handler may add to the script or stop timers while it runs, so take one due item at a
  // time and look again.
  for (;;) {
    auto due = std::find_if(script_.begin(), script_.end(), [this](const Scripted& s) {
      return s.byPump ? s.when <= pumps : s.when <= now;
    });
    if (due == script_.end()) break;
    auto fn = std::move(due->fn);
    script_.erase(due);
    platform::RunHandler(fn);
  }
  // Like WM_TIMER: at most one expiry per timer per pump; the timer goes on unless its
  // handler stops it.
  std::vector<const void*> expired;
  for (const TimerSlot& t : timers_)
    if (t.due <= now) expired.push_back(t.id);
  for (const void* id : expired) {
    auto slot = std::find_if(timers_.begin(), timers_.end(),
                             [id](const TimerSlot& t) { return t.id == id; });
    if (slot == timers_.end()) continue;
    slot->due = now + slot->interval;
    auto fire = slot->fire;
    platform::RunHandler(fire);
  }
}

bool World::WaitForActivity() {
  ++waits;
  if (!hookInstalled) return false;
  // The hook has seen a move since the pointer was last read: its signal is already set.
  if (cursor != cursorRead) return true;
  // What the script delivers at the next pumps stands for messages already in the queue.
  if (std::any_of(script_.begin(), script_.end(), [](const Scripted& s) { return s.byPump; }))
    return true;
  std::uint64_t next = UINT64_MAX;
  for (const Scripted& s : script_) next = std::min(next, s.when);
  for (const TimerSlot& t : timers_) next = std::min(next, t.due);
  // Nothing will ever come: a loop that waits here would wait for good.
  if (next == UINT64_MAX || next > timeLimitMs) throw RunawayLoop{};
  now = std::max(now, next);
  return true;
}

void World::Advance(std::uint32_t ms) {
  now += ms;
  if (now > timeLimitMs) throw RunawayLoop{};
}

}  // namespace vetrix::fake

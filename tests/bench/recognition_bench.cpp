// Cost of one counted-movement recognition pass over a full table (101 gestures of 101
// strokes), with and without the pause rules in force, with the attempt trace kept or the trail
// of a triggered run drawn, and the heap allocations it makes (there must be none unless a
// gesture fires).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/fake/world.h"
#include "platform/feedback.h"
#include "platform/trail_canvas.h"
#include "recognition/attempt_trace.h"
#include "recognition/feedback.h"
#include "recognition/pause.h"
#include "recognition/recognition.h"
#include "recognition/watcher.h"
#include "window/main_window.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t n) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vetrix {
namespace {

// Every gesture follows rightward strokes; actions are empty so nothing fires and every
// gesture stays in play.
std::unique_ptr<MainWindow> FullTable() {
  fake::ResetWorld();
  auto window = std::make_unique<MainWindow>();
  GestureTable& t = window->state.table;
  for (int j = 0; j < kMaxGestures; ++j) {
    for (int k = 0; k < kMaxStrokes; ++k) t.angles[j][k] = (k % 2) * 30;
    t.strokeCount[j] = kMaxStrokes;
  }
  t.gestureCount = kMaxGestures;
  return window;
}

// Which window is in front, with the pause rules at their bounds (every exclusion slot taken,
// full-screen windows too), or no rules at all.
enum class Front { NoRules, Other, Excluded };

void PutInFront(MainWindow& window, Front front) {
  if (front == Front::NoRules) return;
  for (std::size_t i = 0; i < kMaxExcludedPrograms; ++i)
    window.state.pauseRules.programs.push_back("game" + std::to_string(i) + ".exe");
  window.state.pauseRules.fullscreen = true;
  fake::TheWorld().foreground = {front == Front::Excluded ? "GAME255.EXE" : "notepad.exe",
                                 {0, 0, 400, 300},
                                 {0, 0, 1024, 768},
                                 false};
  FollowForeground(window);
}

// What else the passes feed: the attempt trace kept (the dropping movements then end an attempt
// in every second pass and the next pass begins one), or the trail of a triggered run drawn.
enum class Extra { None, Trace, Trail };

// One pass per call, alternating between two movements from the anchor.
class Passes {
 public:
  Passes(Point step1, Point step2, Front front = Front::NoRules, Extra extra = Extra::None)
      : window_(FullTable()), step1_(step1), step2_(step2) {
    PutInFront(*window_, front);
    if (extra == Extra::Trace) StartAttemptTrace(*window_, "trace.txt");
    if (extra == Extra::Trail) {
      ShowRecognitionFeedback(*window_);
      const RunStart start{true, window_->state.anchorPoint};
      TellWatchers(*window_, [&start](RecognitionWatcher& w) { w.RunStarted(start); });
    }
    // Warm-up: the fake's timer list grows once; the real timer is the system's.
    for (int i = 0; i < 4; ++i) Pass();
    count_ = 0;
  }
  void Pass() {
    const Point step = (count_++ % 2) ? step2_ : step1_;
    Point& anchor = window_->state.anchorPoint;
    // Back to the left before the pointer leaves the screen, where no trail would be drawn; the
    // trail's line starts afresh there rather than crossing the screen.
    if (anchor.x > 900 || anchor.y < 100 || anchor.y > 700) {
      anchor = {100, 400};
      platform::LiftTrail();
    }
    fake::TheWorld().cursor = {anchor.x + step.x, anchor.y + step.y};
    RecognitionStep(*window_, anyStarted_);
  }
  long count() const { return count_; }
  const MainWindow& window() const { return *window_; }

 private:
  std::unique_ptr<MainWindow> window_;
  Point step1_, step2_;
  bool anyStarted_ = false;
  long count_ = 0;
};

// Every gesture moves on or stays: two direction checks per gesture.
constexpr Point kFollowing[2] = {{30, 0}, {30, -10}};
// Movements alternate between matching and dropping: up to three checks per gesture.
constexpr Point kDropping[2] = {{30, 0}, {0, 30}};

void Run(benchmark::State& state, const Point (&steps)[2], Front front = Front::NoRules,
         Extra extra = Extra::None) {
  Passes passes(steps[0], steps[1], front, extra);
  const long before = g_allocations.load();
  for (auto _ : state) passes.Pass();
  state.counters["allocs_per_pass"] =
      benchmark::Counter(static_cast<double>(g_allocations.load() - before) / passes.count());
  state.counters["progress_of_0"] = passes.window().state.table.matchProgress[0];
  state.counters["paused"] = passes.window().state.paused;
}

// The check ./test runs: the allocation counter over a fixed number of passes, no timing.
int CheckAllocations() {
  struct Round {
    const Point (&steps)[2];
    Front front;
    Extra extra;
  };
  const Round rounds[] = {
      {kFollowing, Front::NoRules, Extra::None},  {kDropping, Front::NoRules, Extra::None},
      {kDropping, Front::Other, Extra::None},     {kDropping, Front::Excluded, Extra::None},
      {kFollowing, Front::NoRules, Extra::Trace}, {kDropping, Front::NoRules, Extra::Trace},
      {kFollowing, Front::NoRules, Extra::Trail}, {kDropping, Front::Excluded, Extra::Trail}};
  int failures = 0;
  for (const Round& round : rounds) {
    Passes passes(round.steps[0], round.steps[1], round.front, round.extra);
    const long before = g_allocations.load();
    for (int i = 0; i < 1000; ++i) passes.Pass();
    const long made = g_allocations.load() - before;
    std::printf("%ld allocations in %ld passes\n", made, passes.count());
    if (made != 0) ++failures;
  }
  return failures == 0 ? 0 : 1;
}

void BM_PassFollowing(benchmark::State& state) { Run(state, kFollowing); }
void BM_PassDropping(benchmark::State& state) { Run(state, kDropping); }
// The same passes with the pause rules at their bounds and the window in front followed.
void BM_PassFollowingWithPauseRules(benchmark::State& state) {
  Run(state, kFollowing, Front::Other);
}
void BM_PassDroppingWithPauseRules(benchmark::State& state) { Run(state, kDropping, Front::Other); }
// Paused: what a pass costs while an excluded program is in front.
void BM_PassPaused(benchmark::State& state) { Run(state, kDropping, Front::Excluded); }
// With "TraceFile" set: every pass goes into the ring.
void BM_PassFollowingTraced(benchmark::State& state) {
  Run(state, kFollowing, Front::NoRules, Extra::Trace);
}
void BM_PassDroppingTraced(benchmark::State& state) {
  Run(state, kDropping, Front::NoRules, Extra::Trace);
}

// One movement of a triggered run, drawn: the pass and its trail line.
void BM_PassFollowingDrawn(benchmark::State& state) {
  Run(state, kFollowing, Front::NoRules, Extra::Trail);
}
// The trail's line alone, one counted movement long, as both worlds draw it.
void BM_TrailLine(benchmark::State& state) {
  std::vector<std::uint32_t> pixels(1024 * 768);
  platform::TrailCanvas canvas(pixels.data(), 1024, 768, {0, 0});
  int i = 0;
  for (auto _ : state) {
    const int x = 100 + (i++ % 800);
    benchmark::DoNotOptimize(canvas.Line({x, 300}, {x + 30, 310}));
  }
}

// A line across a 3840 x 2160 screen, corner to corner.
void BM_TrailLongDiagonal(benchmark::State& state) {
  std::vector<std::uint32_t> pixels(3840 * 2160);
  platform::TrailCanvas canvas(pixels.data(), 3840, 2160, {0, 0});
  for (auto _ : state) benchmark::DoNotOptimize(canvas.Line({20, 10}, {3820, 2150}));
}

BENCHMARK(BM_PassFollowing);
BENCHMARK(BM_PassFollowingDrawn);
BENCHMARK(BM_TrailLine);
BENCHMARK(BM_TrailLongDiagonal);
BENCHMARK(BM_PassDropping);
BENCHMARK(BM_PassFollowingWithPauseRules);
BENCHMARK(BM_PassDroppingWithPauseRules);
BENCHMARK(BM_PassPaused);
BENCHMARK(BM_PassFollowingTraced);
BENCHMARK(BM_PassDroppingTraced);

}  // namespace
}  // namespace vetrix

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--check-allocations") == 0)
    return vetrix::CheckAllocations();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

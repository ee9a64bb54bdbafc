// Cost of one counted-movement recognition pass over a full table (101 gestures of 101
// strokes), and the heap allocations it makes (there must be none unless a gesture fires).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "platform/fake/world.h"
#include "recognition/recognition.h"
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
    for (int k = 0; k < kMaxSegments; ++k) t.angles[j][k] = (k % 2) * 30;
    t.segmentCount[j] = kMaxSegments;
  }
  t.gestureCount = kMaxGestures;
  return window;
}

void Run(benchmark::State& state, Point step1, Point step2) {
  auto window = FullTable();
  bool anyStarted = false;
  auto& world = fake::TheWorld();
  long passes = 0;
  auto pass = [&] {
    const Point step = (passes++ % 2) ? step2 : step1;
    world.cursor = {window->state.anchorPoint.x + step.x, window->state.anchorPoint.y + step.y};
    RecognitionStep(*window, anyStarted);
  };
  // Warm-up: the fake's timer list grows once; the real timer is the system's.
  for (int i = 0; i < 4; ++i) pass();
  passes = 0;
  const long before = g_allocations.load();
  for (auto _ : state) pass();
  state.counters["allocs_per_pass"] =
      benchmark::Counter(static_cast<double>(g_allocations.load() - before) / passes);
  state.counters["progress_of_0"] = window->state.table.matchProgress[0];
}

// Every gesture moves on or stays: two direction checks per gesture.
void BM_PassFollowing(benchmark::State& state) { Run(state, {30, 0}, {30, -10}); }
// Movements alternate between matching and dropping: up to three checks per gesture.
void BM_PassDropping(benchmark::State& state) { Run(state, {30, 0}, {0, 30}); }

BENCHMARK(BM_PassFollowing);
BENCHMARK(BM_PassDropping);

}  // namespace
}  // namespace vetrix

BENCHMARK_MAIN();

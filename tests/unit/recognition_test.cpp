#include "recognition/recognition.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/texts.h"
#include "fixture.h"
#include "platform/handler.h"
#include "platform/system.h"
#include "recognition/watcher.h"
#include "shell/action_editing.h"

namespace vetrix {
namespace {

constexpr Point kOrigin{500, 400};

// Screen offsets (y down) for the directions used below.
constexpr Point Right(int n = 30) { return {n, 0}; }
constexpr Point Up(int n = 30) { return {0, -n}; }
constexpr Point Left(int n = 30) { return {-n, 0}; }

// Whether the movement from anchorPoint to cursorPoint matches stroke k of gesture j.
bool MovementMatchesStroke(SharedState& s, int j, int k) {
  return StrokeMatches(s.table, j, k, MeasuredDirection(s));
}

class RecognitionTest : public testing::WindowTest {
 protected:
  // One pass of a running loop after the cursor moved by `by` from the anchor.
  void Step(Point by) {
    world().cursor = {state().anchorPoint.x + by.x, state().anchorPoint.y + by.y};
    RecognitionStep(window(), anyStarted_);
  }
  void BeginRun() {
    state().anchorPoint = kOrigin;
    anyStarted_ = false;
  }
  int Progress(int j) { return table().matchProgress[j]; }

  // Runs the real loop: the cursor follows `moves` (one per pass, relative to the previous
  // point); `thenStop` clicks the start button once the moves are done.
  void RunLoop(std::initializer_list<Point> moves, bool thenStop = true) {
    world().cursor = kOrigin;
    std::vector<Point> path;
    Point at = kOrigin;
    for (Point m : moves) {
      at = {at.x + m.x, at.y + m.y};
      path.push_back(at);
    }
    world().CursorPath(path);
    if (thenStop) world().AfterPumps(path.size() + 1, [this] { window().startButton.Click(); });
    window().startButton.Click();
  }

  bool anyStarted_ = false;
};

TEST_F(RecognitionTest, MovementMustBeStrictlyMoreThanTwentyPixels) {
  AddGesture({60, 0}, "C:\\a.bat");
  AddGesture({0}, "");
  BeginRun();
  Step({12, -16});  // exactly 20 pixels
  EXPECT_EQ(Progress(0), 0);
  EXPECT_EQ(state().anchorPoint, kOrigin);

  // Slow movement accumulates from the anchor until it counts.
  world().cursor = {kOrigin.x + 13, kOrigin.y - 17};
  RecognitionStep(window(), anyStarted_);
  EXPECT_EQ(Progress(0), 1);
  EXPECT_EQ(state().anchorPoint, (Point{kOrigin.x + 13, kOrigin.y - 17}));
}

TEST_F(RecognitionTest, TwentyOnePixelsCount) {
  AddGesture({0, 90}, "C:\\a.bat");
  AddGesture({180}, "");
  BeginRun();
  Step(Right(21));
  EXPECT_EQ(Progress(0), 1);
  EXPECT_TRUE(anyStarted_);
  EXPECT_TRUE(window().attemptTimer.Running());
}

TEST_F(RecognitionTest, FollowsStaysDropsAndFires) {
  AddGesture({0, 90}, "C:\\tools\\go.bat");
  AddGesture({270}, "");
  BeginRun();
  Step(Right());
  EXPECT_EQ(Progress(0), 1);
  Step(Right());  // still on the stroke just followed
  EXPECT_EQ(Progress(0), 1);
  EXPECT_TRUE(world().shellCalls.empty());
  Step(Up());  // completes and fires in the same pass
  ASSERT_EQ(world().shellCalls.size(), 1u);
  EXPECT_EQ(world().shellCalls[0].file, "C:\\tools\\go.bat");
  EXPECT_EQ(world().shellCalls[0].directory, "C:\\tools\\");
  EXPECT_EQ(state().actionFolder, "C:\\tools\\");
  EXPECT_EQ(Progress(0), 0);
  EXPECT_EQ(window().gestureList.Selected(), 0);
  EXPECT_EQ(window().actionList.Selected(), 0);
  EXPECT_FALSE(window().attemptTimer.Running());
}

// The notice comes once per firing, with the row, its action and the clock's time, after the
// lists show the row and before the action runs.
TEST_F(RecognitionTest, AFiringIsAnnouncedOnceBeforeItsActionRuns) {
  AddGesture({180}, "C:\\a.bat");
  AddGesture({0, 90}, "C:\\tools\\go.bat");
  struct Heard {
    Firing firing;
    int selectedRow;
    std::size_t shellCallsBefore;
  };
  std::vector<Heard> heard;
  Watch(window(), std::make_unique<FiringWatcher>([&](const Firing& f) {
          heard.push_back({f, window().gestureList.Selected(), world().shellCalls.size()});
        }));
  world().now = 4321;
  BeginRun();
  Step(Right());
  EXPECT_TRUE(heard.empty());
  Step(Up());
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].firing.row, 1);
  EXPECT_EQ(heard[0].firing.action, "C:\\tools\\go.bat");
  EXPECT_EQ(heard[0].firing.ms, 4321u);
  EXPECT_EQ(heard[0].selectedRow, 1);
  EXPECT_EQ(heard[0].shellCallsBefore, 0u);
  EXPECT_EQ(world().shellCalls.size(), 1u);
}

TEST_F(RecognitionTest, AMovementMatchingNeitherStrokeDropsAndCountsAFailure) {
  AddGesture({0, 90}, "C:\\a.bat");
  AddGesture({0, 90}, "");
  AddGesture({300}, "");
  BeginRun();
  Step(Right());
  Step(Left());
  EXPECT_EQ(Progress(0), 0);
  EXPECT_EQ(Progress(1), 0);
  // Two failures reach the threshold of 3 - 1 in the same pass: cleared, timer stopped.
  EXPECT_EQ(state().matchFailures, 0);
  EXPECT_FALSE(window().attemptTimer.Running());
}

TEST_F(RecognitionTest, FailuresBelowThresholdAreKept) {
  AddGesture({0, 90}, "C:\\a.bat");
  AddGesture({270}, "");
  AddGesture({300}, "");
  BeginRun();
  Step(Right());
  Step(Left());
  EXPECT_EQ(state().matchFailures, 1);
  EXPECT_TRUE(window().attemptTimer.Running());
}

TEST_F(RecognitionTest, OneStraightMovementFollowsSeveralCloseStrokes) {
  AddGesture({0, 30}, "C:\\a.bat");
  AddGesture({180}, "");
  BeginRun();
  Step(Right());
  EXPECT_EQ(Progress(0), 1);
  Step(Right());
  EXPECT_EQ(world().shellCalls.size(), 1u);
}

TEST_F(RecognitionTest, WrapAroundIsRecognisedOnlyOneWay) {
  AddGesture({330}, "");
  AddGesture({0}, "");
  AddGesture({30}, "");
  state().anchorPoint = kOrigin;
  auto measure = [this](Point by) { state().cursorPoint = {kOrigin.x + by.x, kOrigin.y + by.y}; };
  measure({100, -9});  // measured 5
  EXPECT_FALSE(MovementMatchesStroke(state(), 0, 0));
  EXPECT_EQ(state().move.angle, 5.0f);
  measure({100, 18});  // measured 350
  EXPECT_TRUE(MovementMatchesStroke(state(), 1, 0));
  EXPECT_EQ(state().move.angle, 350.0f);
  measure({1000, 1});  // measured 360
  EXPECT_TRUE(MovementMatchesStroke(state(), 2, 0));
  EXPECT_TRUE(MovementMatchesStroke(state(), 0, 0));
  EXPECT_EQ(state().move.angle, 360.0f);
  measure({100, -80});  // measured 39: |30 - 39| < 45, |0 - 39| < 45
  EXPECT_TRUE(MovementMatchesStroke(state(), 1, 0));
  measure({100, -100});  // measured exactly 45 from 0: the bound is exclusive
  EXPECT_FALSE(MovementMatchesStroke(state(), 1, 0));
}

TEST_F(RecognitionTest, StrokesPastTheCountNeverMatch) {
  // Leftover cells past the last stroke must not carry an unbound gesture on, and a counter
  // can never walk off its row.
  const int j = AddGesture({0}, "");
  for (int k = 1; k < kMaxStrokes; ++k) table().angles[j][k] = 0;
  AddGesture({180}, "");
  BeginRun();
  for (int i = 0; i < 150; ++i) Step(Right());
  EXPECT_EQ(Progress(j), 1);
  EXPECT_TRUE(world().shellCalls.empty());
  state().cursorPoint = {kOrigin.x + 30, kOrigin.y};
  state().anchorPoint = kOrigin;
  EXPECT_FALSE(MovementMatchesStroke(state(), j, 1));
  EXPECT_FALSE(MovementMatchesStroke(state(), j, kMaxStrokes));
  EXPECT_FALSE(MovementMatchesStroke(state(), j, -1));
}

TEST_F(RecognitionTest, AnErrorThatEndsTheRunShowsItStopped) {
  AddGesture({0}, "C:\\a.bat");
  window().gestureList.Select(0);
  // Typed and not yet left: firing redraws the gesture, which needs a number.
  EXPECT_THROW(window().scaleField.SetText("-"), Error);
  EXPECT_THROW(RunLoop({Right()}, /*thenStop=*/false), Error);
  EXPECT_EQ(world().shellCalls.size(), 1u);
  EXPECT_TRUE(state().stopped);
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
  EXPECT_EQ(world().tray.calls.back(), "modify:stopped");
}

// Where the hook library reports pointer moves, the loop waits instead of polling while the
// pointer rests.
TEST_F(RecognitionTest, AStillPointerMakesNoPasses) {
  AddGesture({0}, "C:\\a.bat");
  world().hookInstalled = true;
  world().cursor = kOrigin;
  world().At(60'000, [this] { window().startButton.Click(); });
  window().startButton.Click();
  EXPECT_LE(world().now, 60'010u);
  EXPECT_LE(world().pumps, 5u);  // the few before it rests; polling makes 6 000
  EXPECT_TRUE(world().shellCalls.empty());
}

TEST_F(RecognitionTest, AMessageWhileThePointerRestsCostsTwoPasses) {
  AddGesture({0}, "C:\\a.bat");
  world().hookInstalled = true;
  world().cursor = kOrigin;
  int messages = 0;
  for (std::uint64_t t = 250; t < 60'000; t += 250, ++messages) world().At(t, [] {});
  world().At(60'000, [this] { window().startButton.Click(); });
  window().startButton.Click();
  // The pass at the wake, and the one after the message's handler, which sees that the pointer
  // has not moved; the three still passes a move earns would make four.
  EXPECT_LE(world().pumps, 2 * static_cast<std::uint64_t>(messages) + 6u);
  EXPECT_TRUE(world().shellCalls.empty());
}

// What a handler changes while the pointer rests is looked at by the pass after it, as when
// polling: the loop does not wait again before that pass.
TEST_F(RecognitionTest, AHandlerWhileThePointerRestsGetsItsPass) {
  const Point right{kOrigin.x + 30, kOrigin.y};
  struct Case {
    const char* what;
    std::function<void()> script;
    const char* fires;
    std::uint64_t at;
  };
  const Case cases[] = {
      // A gesture followed to its end without an action fires once one is bound to it.
      {"binding",
       [&] {
         AddGesture({0}, "");
         world().FollowTrack({{100, right}});
         world().dialogAnswers = {"C:\\tools\\go.bat"};
         window().actionList.Select(0);
         world().At(500, [this] { BindFileToGesture(window()); });
       },
       "C:\\tools\\go.bat", 510},
      // A failed stroke below the threshold keeps the timer running, which blocks every start;
      // a deletion lowers the threshold, and the failure rule at the pass after it stops the
      // timer, so that the movement at 1000 ms starts (and fires) the other gesture.
      {"deletion",
       [&] {
         AddGesture({0, 90}, "");
         AddGesture({180}, "C:\\left.bat");
         AddGesture({135}, "");
         world().FollowTrack(
             {{100, right}, {200, {right.x, right.y + 30}}, {1000, {right.x - 30, right.y + 30}}});
         world().At(500, [this] {
           window().gestureList.Select(2);
           DeleteSelectedGesture(window());
         });
       },
       "C:\\left.bat", 1000},
  };
  for (const Case& c : cases) {
    for (const bool hook : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (hook ? ", waiting" : ", polling"));
      Restart();
      world().hookInstalled = hook;
      world().cursor = kOrigin;
      c.script();
      world().At(20'000, [this] { window().startButton.Click(); });
      window().startButton.Click();
      ASSERT_EQ(world().shellCalls.size(), 1u);
      EXPECT_EQ(world().shellCalls[0].file, c.fires);
      EXPECT_EQ(world().shellCalls[0].at, c.at);
    }
  }
}

TEST_F(RecognitionTest, WaitingFiresWhatPollingFired) {
  // Two gestures, moves with pauses between them: a completed gesture, then another, then an
  // attempt that the 3-second timer ends during a pause, then the first again.
  const auto run = [this](bool hook) {
    Restart();
    AddGesture({0, 270}, "C:\\right-down.bat");
    AddGesture({90}, "C:\\up.bat");
    world().hookInstalled = hook;
    Point at = kOrigin;
    world().cursor = at;
    std::uint64_t t = 100;
    const auto move = [&](Point by, std::uint64_t pause) {
      at = {at.x + by.x, at.y + by.y};
      world().At(t, [this, p = at] { world().cursor = p; });
      t += pause;
    };
    const Point down{0, 30};
    move(Right(), 40);
    move(down, 700);  // the first fires
    move(Up(), 40);   // the second fires
    move(Right(), 5'000);
    move(down, 3'500);  // too late: the attempt has timed out
    move(Right(), 40);
    move(down, 40);  // the first fires again
    world().At(t + 1'000, [this] { window().startButton.Click(); });
    window().startButton.Click();
    std::vector<std::pair<std::string, std::uint64_t>> fired;
    for (const auto& call : world().shellCalls) fired.emplace_back(call.file, call.at);
    return fired;
  };
  const auto polled = run(false);
  const auto waited = run(true);
  ASSERT_EQ(polled.size(), 3u);
  ASSERT_EQ(waited.size(), polled.size());
  for (std::size_t i = 0; i < polled.size(); ++i) {
    EXPECT_EQ(waited[i].first, polled[i].first) << i;
    // Within one pass of each other: the two clocks run in different steps.
    EXPECT_LE(waited[i].second, polled[i].second + 10) << i;
    EXPECT_GE(waited[i].second + 10, polled[i].second) << i;
  }
  EXPECT_EQ(polled[0].first, "C:\\right-down.bat");
  EXPECT_EQ(polled[1].first, "C:\\up.bat");
  EXPECT_EQ(polled[2].first, "C:\\right-down.bat");
}

// The hook library hears nothing while a window hangs under Wine, nor once Windows has dropped
// the hook; the pointer's position stays right. A loop that waits still fires what polling
// fired, from the first move seen: after a command to a window that then hangs (the command
// times out), while a window hangs (the wait's look finds it), once the hook was dropped (the
// look finds the pointer moved and puts the hook back).
TEST_F(RecognitionTest, ADeafLibraryFiresWhatPollingFired) {
  struct Case {
    const char* name;
    bool hangAtCommand, hung, dropped;
    bool strayMove;  // the pointer moves by 3 s, with no stroke
  };
  const Case cases[] = {
      {"command to a window that then hangs", true, false, false, true},
      {"a window hangs", false, true, false, false},
      {"the hook dropped", false, false, true, true},
  };
  const auto run = [this](const Case& c, bool hook) {
    Restart();
    AddGesture({0, 270}, "*Max;/mx;");
    AddGesture({90}, "C:\\up.bat");
    world().hookInstalled = hook;
    world().hangAtCommand = c.hangAtCommand;
    world().foregroundHung = c.hung;
    world().hookDropped = c.dropped;
    Point at = kOrigin;
    world().cursor = at;
    std::vector<fake::World::Sample> track;
    const auto move = [&](std::uint64_t t, Point by) {
      at = {at.x + by.x, at.y + by.y};
      track.push_back({t, at});
    };
    const Point down{0, 30};
    if (c.strayMove) move(3'000, Left());
    move(6'000, Right());
    move(6'040, down);    // row 0 fires: the command, which may wait 2 s
    move(8'500, Left());  // no stroke; the 3-second timer runs
    move(12'000, Up());   // row 1 fires, before a look that follows the command
    move(16'000, Up());   // and again, after the doubt the command raised
    world().FollowTrack(track);
    world().At(21'000, [this] { window().startButton.Click(); });
    std::vector<std::pair<int, std::uint64_t>> fired;
    Watch(window(), std::make_unique<FiringWatcher>(
                        [&fired](const Firing& f) { fired.emplace_back(f.row, f.ms); }));
    window().startButton.Click();
    return fired;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto polled = run(c, false);
    const auto waited = run(c, true);
    ASSERT_EQ(polled.size(), 3u);
    EXPECT_EQ(polled[0].first, 0);
    EXPECT_EQ(polled[1].first, 1);
    EXPECT_EQ(polled[2].first, 1);
    ASSERT_EQ(waited.size(), polled.size());
    for (std::size_t i = 0; i < polled.size(); ++i) {
      EXPECT_EQ(waited[i].first, polled[i].first) << i;
      EXPECT_LE(waited[i].second, polled[i].second + 10) << i;
      EXPECT_GE(waited[i].second + 10, polled[i].second) << i;
    }
  }
}

TEST_F(RecognitionTest, GestureWithoutStrokesNeverFires) {
  AddGesture({}, "C:\\a.bat");
  AddGesture({0}, "C:\\b.bat");
  BeginRun();
  Step({0, 0});
  Step({5, 0});
  EXPECT_TRUE(world().shellCalls.empty());
  Step(Right());
  ASSERT_EQ(world().shellCalls.size(), 1u);
  EXPECT_EQ(world().shellCalls[0].file, "C:\\b.bat");
}

TEST_F(RecognitionTest, LowestIndexFiresAndResetsTheOthers) {
  AddGesture({90}, "C:\\one.bat");
  AddGesture({0}, "C:\\two.bat");
  AddGesture({0}, "C:\\three.bat");
  BeginRun();
  Step(Right());
  ASSERT_EQ(world().shellCalls.size(), 1u);
  EXPECT_EQ(world().shellCalls[0].file, "C:\\two.bat");
  EXPECT_EQ(Progress(2), 0);
  EXPECT_EQ(window().gestureList.Selected(), 1);
}

TEST_F(RecognitionTest, NoGestureStartsWhileTheTimerRuns) {
  AddGesture({0, 0}, "");
  AddGesture({90}, "C:\\up.bat");
  AddGesture({200}, "");
  BeginRun();
  Step(Right());
  EXPECT_TRUE(window().attemptTimer.Running());
  Step(Up());
  EXPECT_EQ(Progress(1), 0);
  EXPECT_TRUE(world().shellCalls.empty());

  // Three seconds later the timer resets every counter and lets gestures start again.
  platform::Sleep(3000);
  platform::ProcessMessages();
  EXPECT_FALSE(window().attemptTimer.Running());
  EXPECT_EQ(Progress(0), 0);
  Step(Up());
  EXPECT_EQ(world().shellCalls.size(), 1u);
}

TEST_F(RecognitionTest, WithOneGestureTheThresholdStopsTheTimerEveryPass) {
  AddGesture({0, 90}, "C:\\a.bat");
  BeginRun();
  Step(Right());
  EXPECT_EQ(Progress(0), 1);
  EXPECT_FALSE(window().attemptTimer.Running());
  platform::Sleep(5000);
  platform::ProcessMessages();
  EXPECT_EQ(Progress(0), 1);  // no 3-second reset ever happens
}

TEST_F(RecognitionTest, WithNoGesturesThePassClearsFailures) {
  BeginRun();
  state().matchFailures = 7;
  window().attemptTimer.Start();
  Step(Right());
  EXPECT_EQ(state().matchFailures, 0);
  EXPECT_FALSE(window().attemptTimer.Running());
}

TEST_F(RecognitionTest, OnceStartedEveryCountedMovementRestartsTheTimer) {
  AddGesture({0}, "");
  AddGesture({0, 0, 0}, "");
  AddGesture({180}, "");
  BeginRun();
  Step(Right());
  platform::Sleep(3000);
  platform::ProcessMessages();  // expiry: stopped, counters reset
  EXPECT_FALSE(window().attemptTimer.Running());
  Step(Up());  // matches nothing, but the run has started a gesture before
  EXPECT_TRUE(window().attemptTimer.Running());
}

TEST_F(RecognitionTest, ClickTogglesCaptionTrayAndRunsUntilStopped) {
  world().tray.exists = true;
  AddGesture({0}, "C:\\x\\a.bat");
  AddGesture({180}, "");
  RunLoop({Right(), Right()});
  EXPECT_TRUE(state().stopped);
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
  EXPECT_EQ(world().tray.calls, (std::vector<std::string>{"modify:running", "modify:stopped"}));
  // Firing stops the timer, so the second move starts and fires the gesture again.
  EXPECT_EQ(world().shellCalls.size(), 2u);
  // Three passes of 10 ms: the start, the first move, the second move (its pump stops it).
  EXPECT_EQ(world().now, 30u);
}

TEST_F(RecognitionTest, CaptionWhileRunningIsWaiting) {
  world().AfterPumps(1, [this] {
    EXPECT_EQ(window().startButton.Caption(), texts::kWaiting.view());
    EXPECT_EQ(world().tray.calls.back(), "modify:running");
    window().startButton.Click();
  });
  window().startButton.Click();
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
}

TEST_F(RecognitionTest, OneShotStopsAfterTheFirstFiring) {
  state().oneShot = true;
  AddGesture({0}, "C:\\a.bat");
  AddGesture({0}, "C:\\b.bat");
  RunLoop({Right(), Right(), Right()}, /*thenStop=*/false);
  EXPECT_TRUE(state().stopped);
  EXPECT_EQ(world().shellCalls.size(), 1u);
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
}

TEST_F(RecognitionTest, NestedRunEndsTheOuterRunToo) {
  AddGesture({0}, "C:\\a.bat");
  AddGesture({90}, "");
  int depth = 0, deepest = 0;
  world().AfterPumps(2, [&] {
    // A button-down trigger: force "stopped", then click; a second run nests in this pump.
    ++depth;
    deepest = std::max(deepest, depth);
    state().stopped = true;
    window().startButton.Click();
    --depth;
  });
  world().AfterPumps(3, [&] { world().cursor = {kOrigin.x + 40, kOrigin.y}; });
  world().AfterPumps(5, [&] {
    // The button-up trigger, dispatched by the nested run's pump.
    state().stopped = false;
    window().startButton.Click();
  });
  world().cursor = kOrigin;
  window().startButton.Click();
  EXPECT_EQ(deepest, 1);
  EXPECT_TRUE(state().stopped);
  EXPECT_EQ(world().shellCalls.size(), 1u);  // the nested run shares the anchor and counters
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
  EXPECT_EQ(world().pumps, 5u);  // the outer run made no pass after the nested one ended
}

TEST_F(RecognitionTest, StoppingByAnotherWriterKeepsTheRunningCaption) {
  world().AfterPumps(2, [this] { state().stopped = true; });
  window().startButton.Click();
  EXPECT_EQ(window().startButton.Caption(), texts::kWaiting.view());
  // The next click toggles to running again.
  world().AfterPumps(1, [this] { window().startButton.Click(); });
  window().startButton.Click();
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
}

}  // namespace
}  // namespace vetrix

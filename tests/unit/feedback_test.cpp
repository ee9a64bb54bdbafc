// What a user sees of recognition: the trail of a triggered run and the tip after it.
#include "recognition/feedback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "base/texts.h"
#include "fixture.h"
#include "platform/feedback.h"
#include "platform/system.h"
#include "platform/trail_canvas.h"
#include "shell/startup.h"

namespace vetrix {
namespace {

constexpr Point kOrigin{500, 400};
constexpr std::int32_t kRightDown = 516, kRightUp = 517;
constexpr std::uint16_t kCtrlAltF5 = 0x4000 | 0x8000 | 116;

class FeedbackTest : public testing::FileTest {
 protected:
  // The trigger modes a run can start in; each run ends once the pointer has gone `path`.
  enum class Mode { RightButton, HotKey, Continuous };

  // A profile with one gesture (right, then down) bound to `action`, and `more` in [Main].
  void Create(Mode mode, const std::string& action = "C:\\tools\\go.bat",
              const std::string& more = "") {
    std::string ini = "[Main]\nNum=1\n1=0 270\na0=" + action + "\n" + more;
    if (mode == Mode::RightButton) ini += "UM=1\nMB=3\n";
    if (mode == Mode::HotKey) ini += "HK=yes\nHotkey=Ctrl+Alt+F5\n";
    WriteIni(ini);
    OnCreate(window());
    mode_ = mode;
  }

  // One run in the mode: the pointer goes along `path`, one point per pump from the first pass
  // on, and the run is ended the way its trigger ends it (a hot-key run that fired has ended
  // itself). `during` runs at the last point, before the end.
  void Run(const std::vector<Point>& path, const std::function<void()>& during = {}) {
    world().cursor = kOrigin;
    world().CursorPath(path);
    world().AfterPumps(path.size() + 1, [this, during] {
      if (during) during();
      if (mode_ == Mode::RightButton) window().frame.onHookMessage(kRightUp);
      if (mode_ == Mode::HotKey && !state().stopped) window().frame.onHotKey();
      if (mode_ == Mode::Continuous) window().startButton.Click();
    });
    if (mode_ == Mode::RightButton) window().frame.onHookMessage(kRightDown);
    if (mode_ == Mode::HotKey) window().frame.onHotKey();
    if (mode_ == Mode::Continuous) window().startButton.Click();
    ASSERT_TRUE(state().stopped);
  }

  std::vector<std::string> Tips() {
    std::vector<std::string> texts;
    for (const auto& tip : world().tips) texts.push_back(tip.text);
    return texts;
  }

  Mode mode_ = Mode::Continuous;
};

// Right, then down: the gesture, 30 px a step; it fires at the last point.
const std::vector<Point> kGesture = {{530, 400}, {560, 400}, {560, 430}};
// Up and to the left: no stroke of the gesture.
const std::vector<Point> kNoGesture = {{470, 370}, {440, 340}};

TEST_F(FeedbackTest, ATriggeredRunDrawsTheSampledPathAndLeavesNothing) {
  struct Case {
    const char* name;
    Mode mode;
    const char* more;
    bool drawn;
  };
  const Case cases[] = {
      {"right button", Mode::RightButton, "", true},
      {"hot key", Mode::HotKey, "", true},
      {"continuous", Mode::Continuous, "", false},
      {"Trail=no", Mode::RightButton, "Trail=no\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    PointWorldAtFolders();
    Create(c.mode, "C:\\tools\\go.bat", c.more);
    // Up, then left: back over the start, which a continuous run would follow all day.
    const std::vector<Point> path = {{500, 370}, {500, 340}, {470, 340}, {470, 340}, {440, 340}};
    bool lineShown = false, elsewhereBlank = true;
    Run(path, [&] {
      lineShown = world().TrailCover({500, 355}) == 255 && world().TrailCover({485, 340}) == 255;
      elsewhereBlank = world().TrailCover({520, 355}) == 0 && world().TrailCover({485, 320}) == 0;
    });
    EXPECT_EQ(world().trail.opened, c.drawn ? 1 : 0);
    EXPECT_FALSE(world().trail.open) << "the surface is gone once the run has ended";
    if (!c.drawn) continue;
    // The first pass samples the start; a pass that finds the pointer where it was adds nothing.
    EXPECT_EQ(world().trail.points,
              (std::vector<Point>{kOrigin, {500, 370}, {500, 340}, {470, 340}, {440, 340}}));
    EXPECT_TRUE(lineShown);
    EXPECT_TRUE(elsewhereBlank);
  }
}

// A hot-key run lasts until a gesture fires: each try that ended (every gesture dropped, or the
// timer ran out) leaves the screen, and so does one the pointer rested after. The picture
// behind the trail covers only what is drawn: a click makes none.
TEST_F(FeedbackTest, OnlyTheTryInProgressStaysDrawnOnAPictureOfItsSize) {
  Create(Mode::HotKey);
  bool restedTryGone = false, firstGone = false, secondShown = false;
  Rect pictureAfter;
  // Right (the gesture's first stroke), up (it drops out: the try has ended), then right again.
  Run({{530, 400}, {560, 400}, {560, 370}, {590, 370}, {620, 370}}, [&] {
    firstGone = world().TrailCover({545, 400}) == 0;
    secondShown = world().TrailCover({605, 370}) == 255;
    pictureAfter = world().trail.picture;
  });
  EXPECT_TRUE(firstGone);
  EXPECT_TRUE(secondShown);
  EXPECT_TRUE(platform::Covers(pictureAfter, {586, 366, 39, 9}));
  EXPECT_LT(std::int64_t{pictureAfter.width} * pictureAfter.height, 1024 * 768 / 4);

  // Left with no gesture followed, a rest of two seconds, then down: a new try.
  Restart();
  PointWorldAtFolders();
  Create(Mode::HotKey);
  world().cursor = kOrigin;
  world().FollowTrack(
      {{100, {470, 400}}, {140, {440, 400}}, {2200, {440, 430}}, {2240, {440, 460}}});
  world().At(2300, [&] {
    restedTryGone = world().TrailCover({455, 400}) == 0 && world().TrailCover({440, 445}) == 255;
    window().frame.onHotKey();
  });
  window().frame.onHotKey();
  EXPECT_TRUE(restedTryGone) << "the try before the rest went, the one after it shows";

  Restart();
  PointWorldAtFolders();
  Create(Mode::RightButton);
  Run({});
  EXPECT_EQ(world().trail.opened, 1);
  EXPECT_EQ(world().trail.largestPicture, 0) << "a click draws nothing and makes no picture";
}

TEST_F(FeedbackTest, NothingIsDrawnWhilePaused) {
  Create(Mode::HotKey, "C:\\tools\\go.bat", "PauseFullscreen=yes\n");
  const platform::ForegroundWindow game{"game.exe", {0, 0, 1024, 768}, {0, 0, 1024, 768}, false};
  const platform::ForegroundWindow editor{
      "notepad.exe", {0, 0, 400, 300}, {0, 0, 1024, 768}, false};
  world().AfterPumps(2, [&] { world().BringToFront(game); });
  world().AfterPumps(4, [&] {
    EXPECT_EQ(world().TrailCover({500, 385}), 0) << "what was drawn is wiped";
    world().BringToFront(editor);
  });
  Run({{500, 370}, {500, 340}, {440, 340}, {440, 300}, {400, 300}, {400, 260}});
  // Drawn up to the pause, nothing while paused, and after it a new line from where the
  // pointer was found.
  EXPECT_EQ(world().trail.points,
            (std::vector<Point>{kOrigin, {500, 370}, {500, 340}, {400, 300}, {400, 260}}));
  EXPECT_EQ(world().trail.lifts, (std::vector<std::size_t>{3}));
}

TEST_F(FeedbackTest, TheTipNamesWhatFiredOrThatNothingDid) {
  struct Case {
    const char* name;
    Mode mode;
    std::string action;
    std::string more;
    std::vector<Point> path;
    std::vector<std::string> tips;
  };
  const std::string notRecognised = texts::kNotRecognised.str();
  const Case cases[] = {
      {"a file, by its name", Mode::RightButton, "C:\\tools\\go.bat", "", kGesture, {"go.bat"}},
      {"a file named with slashes", Mode::RightButton, "C:/tools/go.bat", "", kGesture, {"go.bat"}},
      {"a command, by its first field", Mode::HotKey, "*Окно;/mx;", "", kGesture, {"*Окно"}},
      {"a firing in continuous mode", Mode::Continuous, "go.bat", "", kGesture, {"go.bat"}},
      {"nothing fired", Mode::RightButton, "C:\\a.bat", "", kNoGesture, {notRecognised}},
      {"nothing fired, hot key", Mode::HotKey, "C:\\a.bat", "", kNoGesture, {notRecognised}},
      // A click's wobble is no gesture; the drag rectangle is 4 x 4 px either way.
      {"within the drag rectangle", Mode::RightButton, "C:\\a.bat", "", {{504, 396}}, {}},
      {"just past it", Mode::RightButton, "C:\\a.bat", "", {{505, 400}}, {notRecognised}},
      {"continuous, nothing fired", Mode::Continuous, "C:\\a.bat", "", kNoGesture, {}},
      {"Tip=no", Mode::RightButton, "C:\\a.bat", "Tip=no\n", kGesture, {}},
      {"Tip=no, nothing fired", Mode::RightButton, "C:\\a.bat", "Tip=no\n", kNoGesture, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    PointWorldAtFolders();
    Create(c.mode, c.action, c.more);
    Run(c.path);
    EXPECT_EQ(Tips(), c.tips);
    if (c.tips.empty()) {
      EXPECT_FALSE(world().TipTimerRunning());
      continue;
    }
    // Near the pointer where it fired or the run ended; its timer runs only while it shows.
    EXPECT_EQ(world().tips.back().near, c.path.back());
    EXPECT_TRUE(world().tipShown);
    EXPECT_TRUE(world().TipTimerRunning());
    world().now += platform::kTipMs;
    platform::ProcessMessages();
    EXPECT_FALSE(world().tipShown);
    EXPECT_FALSE(world().TipTimerRunning());
  }
}

// A run that fired does not keep the next one from saying that nothing did.
TEST_F(FeedbackTest, EachRunStartsWithNothingFired) {
  Create(Mode::RightButton);
  Run(kGesture);
  Run(kNoGesture);
  EXPECT_EQ(Tips(), (std::vector<std::string>{"go.bat", texts::kNotRecognised.str()}));
}

TEST_F(FeedbackTest, TheKeysAreReadAtStartUpAndNeverWritten) {
  struct Case {
    const char* ini;
    bool trail, tip;
  };
  const Case cases[] = {
      {"", true, true},
      {"Trail=no\nTip=no\n", false, false},
      {"Trail=no\nTip=yes\n", false, true},
      {"Trail=No\nTip=no\n", true, false},  // only "no" turns it off
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    Restart();
    PointWorldAtFolders();
    WriteIni(std::string("[Main]\n") + c.ini);
    OnCreate(window());
    EXPECT_EQ(state().feedback.trail, c.trail);
    EXPECT_EQ(state().feedback.tip, c.tip);
    WriteClosingSettings(window());
    for (const auto& write : world().profileWriteLog) {
      EXPECT_NE(write.key, "Trail");
      EXPECT_NE(write.key, "Tip");
    }
  }
}

// Walking only the rows' crossings misses no pixel the line covers: in every direction and
// length, exactly the pixels whose centre lies within 2.5 px of the line are drawn.
TEST(TrailCanvas, ALineTouchesExactlyThePixelsNearIt) {
  constexpr int kSide = 160;
  constexpr Point kFrom{80, 80};
  std::vector<std::uint32_t> pixels(kSide * kSide);
  for (int degrees = 0; degrees < 360; degrees += 7) {
    for (const int length : {0, 1, 5, 33, 70}) {
      const double angle = degrees * 3.14159265358979 / 180;
      const Point to{kFrom.x + static_cast<int>(std::lround(length * std::cos(angle))),
                     kFrom.y + static_cast<int>(std::lround(length * std::sin(angle)))};
      std::fill(pixels.begin(), pixels.end(), 0u);
      platform::TrailCanvas(pixels.data(), kSide, kSide, {0, 0}).Line(kFrom, to);
      const double dx = to.x - kFrom.x, dy = to.y - kFrom.y;
      int wrong = 0;
      for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
          const double px = x - kFrom.x, py = y - kFrom.y;
          const double lengthSquared = dx * dx + dy * dy;
          const double t =
              lengthSquared > 0 ? std::clamp((px * dx + py * dy) / lengthSquared, 0.0, 1.0) : 0;
          const double distance = std::hypot(px - t * dx, py - t * dy);
          // Away from the soft edge's last sliver, where float and double may round apart.
          if (std::abs(distance - 2.5) < 0.003) continue;
          if ((pixels[y * kSide + x] != 0) != (distance < 2.5)) ++wrong;
        }
      EXPECT_EQ(wrong, 0) << degrees << " degrees, " << length << " px";
    }
  }
}

TEST(TrailCanvas, ALineIsOpaqueAlongItsMiddleSoftAtItsEdgesAndNothingBeyond) {
  std::vector<std::uint32_t> pixels(40 * 20, 0);
  platform::TrailCanvas canvas(pixels.data(), 40, 20, {100, 100});
  const Rect touched = canvas.Line({105, 110}, {130, 110});
  const auto cover = [&](int x, int y) { return canvas.At({x, y}) >> 24; };
  EXPECT_EQ(canvas.At({105, 110}), platform::TrailCanvas::Opaque());
  EXPECT_EQ(cover(130, 110), 255u) << "both ends are round and drawn";
  EXPECT_EQ(cover(118, 109), 255u);
  EXPECT_EQ(cover(118, 111), 255u);
  EXPECT_GT(cover(118, 112), 0u);
  EXPECT_LT(cover(118, 112), 255u);
  EXPECT_EQ(cover(118, 113), 0u);
  EXPECT_EQ(cover(133, 110), 0u);
  EXPECT_EQ(canvas.At({90, 90}), 0u) << "outside the picture";
  // Everything drawn lies within the rectangle returned.
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x)
      if (pixels[y * 40 + x] != 0) {
        EXPECT_GE(x, touched.left);
        EXPECT_LT(x, touched.left + touched.width);
        EXPECT_GE(y, touched.top);
        EXPECT_LT(y, touched.top + touched.height);
      }
}

}  // namespace
}  // namespace vetrix

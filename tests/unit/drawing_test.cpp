// The drawing area's pixels, the scale field, start-point placement and playback.
#include "capture/drawing.h"
#include "capture/gesture_view.h"
#include "capture/playback.h"
#include "capture/scale_field.h"
#include "capture/start_point.h"

#include <gtest/gtest.h>

#include <set>

#include "fixture.h"
#include "platform/handler.h"
#include "store/settings_file.h"

namespace vetrix {
namespace {

using platform::MouseButton;
using platform::Rgb;

class DrawingTest : public testing::FileTest {
 protected:
  DrawingTest() {
    state().drawingRect = {0, 0, 209, 281};
    window().scaleField.SetText("15");
  }
  Rgb At(int x, int y) { return window().drawingArea.Pixel(x, y); }
  // Every pixel that is not white.
  std::set<std::pair<int, int>> Inked() {
    std::set<std::pair<int, int>> inked;
    for (int y = 0; y < window().drawingArea.BitmapHeight(); ++y)
      for (int x = 0; x < window().drawingArea.BitmapWidth(); ++x)
        if (At(x, y) != kWhite) inked.insert({x, y});
    return inked;
  }
  // The scripted cursor for a drawing-area point (the fake window's frame and caption).
  Point ScreenOf(Point area) {
    const WindowGeometry g = window().frame.Geometry();
    return {area.x + g.left + g.width - g.clientWidth - 5,
            area.y + g.top + g.height - g.clientHeight - 5};
  }
};

TEST_F(DrawingTest, TwoStrokeExampleIsDrawnPixelForPixel) {
  state().startPoint = {50, 200};
  AddGesture({0, 90}, "");
  window().gestureList.Select(0);
  DrawGesture(window());

  // The first stroke, left to right, first pixel in, last out; the second stroke's first
  // pixel covers the first arrowhead's.
  for (int x = 54; x <= 63; ++x) EXPECT_EQ(At(x, 200), kBlack) << x;
  EXPECT_EQ(At(65, 200), kBlack);
  for (auto [x, y] :
       {std::pair{64, 200}, {63, 199}, {62, 199}, {61, 198}, {63, 201}, {62, 201}, {61, 202}})
    EXPECT_EQ(At(x, y), kRed) << x << "," << y;
  EXPECT_EQ(At(60, 198), kWhite);  // a line leaves out its last pixel
  EXPECT_EQ(At(60, 202), kWhite);
  for (int y = 187; y <= 199; ++y) EXPECT_EQ(At(65, y), kBlack) << y;
  EXPECT_EQ(At(65, 185), kRed);
  // The second arrowhead, from (65, 185) back down to (63, 190) and (67, 190).
  for (auto [x, y] : {std::pair{65, 185}, {64, 187}, {63, 189}, {66, 187}, {67, 189}})
    EXPECT_EQ(At(x, y), kRed) << x << "," << y;
  EXPECT_EQ(At(63, 190), kWhite);
  EXPECT_EQ(At(67, 190), kWhite);
  EXPECT_EQ(At(50, 200), kBlack);  // the first stroke starts on the dot's centre
  EXPECT_EQ(At(49, 199), kBlue);

  // Nothing outside the dot's box and the strokes' reach.
  for (auto [x, y] : Inked()) {
    const bool dot = x >= 47 && x < 53 && y >= 197 && y < 203;
    const bool strokes = x >= 53 && x <= 67 && y >= 185 && y <= 202;
    EXPECT_TRUE(dot || strokes) << x << "," << y;
  }
}

TEST_F(DrawingTest, NoSelectionLeavesTheAreaAlone) {
  state().startPoint = {100, 100};
  AddGesture({0}, "");
  window().drawingArea.SetPen(kBlack);
  window().drawingArea.Line({0, 0}, {10, 0});
  DrawGesture(window());
  EXPECT_EQ(At(5, 0), kBlack);
  window().gestureList.Select(0);
  DrawGesture(window());
  EXPECT_EQ(At(5, 0), kWhite);
}

TEST_F(DrawingTest, AGestureWithoutStrokesShowsTheDotAlone) {
  state().startPoint = {20, 20};
  AddGesture({}, "");
  window().gestureList.Select(0);
  DrawGesture(window());
  for (auto [x, y] : Inked()) EXPECT_TRUE(x >= 17 && x < 23 && y >= 17 && y < 23);
  EXPECT_FALSE(Inked().empty());
}

TEST_F(DrawingTest, ScaleZeroPutsEveryArrowheadAtTheStart) {
  state().startPoint = {100, 100};
  AddGesture({0, 90, 180}, "");
  window().gestureList.Select(0);
  window().scaleField.SetText("0");
  DrawGesture(window());
  EXPECT_EQ(state().penPoint, (Point{100, 100}));
  for (auto [x, y] : Inked()) EXPECT_TRUE(std::abs(x - 100) <= 5 && std::abs(y - 100) <= 5);
}

TEST_F(DrawingTest, ScaleTextChangesRedraw) {
  state().startPoint = {50, 50};
  AddGesture({0}, "");
  window().gestureList.Select(0);
  window().scaleField.SetText("007");
  EXPECT_EQ(window().scaleField.Text(), "7");
  EXPECT_EQ(At(53, 50), kBlack);
  EXPECT_EQ(At(57, 50), kRed);  // the arrowhead starts at the end, 7 pixels on
  EXPECT_EQ(At(58, 50), kWhite);
  window().scaleField.SetText("99");
  window().scaleField.onExit();
  EXPECT_EQ(window().scaleField.Text(), "30");
  window().scaleField.SetText("-4");
  window().scaleField.onExit();
  EXPECT_EQ(window().scaleField.Text(), "1");
}

TEST_F(DrawingTest, HugeScalesAndAnglesNeitherOverflowNorHang) {
  state().startPoint = {2147483600, -2147483600};
  AddGesture({2147483647, -2147483647 - 1, 90}, "");
  window().gestureList.Select(0);
  window().scaleField.SetText("2147483647");
  DrawGesture(window());  // under UBSan a signed overflow in here fails the run

  // Straight up, down, up again: the sums wrap around as 32-bit integers do.
  AddGesture({90, 270, 90}, "");
  window().gestureList.Select(1);
  DrawGesture(window());
  EXPECT_EQ(state().penPoint, (Point{2147483600, 49}));
}

TEST_F(DrawingTest, PlaybackMovesAFifthOfTheScalePerStepAndReturns) {
  AddGesture({0}, "");
  window().gestureList.Select(0);
  world().cursor = {500, 400};
  const auto start = world().now;
  window().drawingArea.onDblClick();
  const std::vector<int> xs = {500, 503, 506, 509, 512, 515, 500};
  ASSERT_EQ(world().cursorSets.size(), xs.size());
  for (std::size_t i = 0; i < xs.size(); ++i) {
    EXPECT_EQ(world().cursorSets[i].to, (Point{xs[i], 400})) << i;
    if (i < 6) {
      EXPECT_EQ(world().cursorSets[i].at, start + 25 * i) << i;
    }
  }
  EXPECT_TRUE(window().gestureList.Enabled());
}

TEST_F(DrawingTest, PlaybackAtTinyScalesDoesNotMove) {
  AddGesture({0, 90}, "");
  window().gestureList.Select(0);
  window().scaleField.SetText("2");
  world().cursor = {300, 300};
  window().drawingArea.onDblClick();
  // Two strokes of six steps each, and the return; every one at the start.
  ASSERT_EQ(world().cursorSets.size(), 13u);
  for (const auto& set : world().cursorSets) EXPECT_EQ(set.to, (Point{300, 300}));
}

TEST_F(DrawingTest, EscEndsPlaybackAndTheCursorGoesBack) {
  AddGesture({0, 0}, "");
  window().gestureList.Select(0);
  world().cursor = {500, 400};
  world().AfterPumps(2, [this] {
    EXPECT_FALSE(window().gestureList.Enabled());
    window().frame.onKeyPress(27);
  });
  window().drawingArea.onDblClick();
  ASSERT_EQ(world().cursorSets.size(), 3u);
  EXPECT_EQ(world().cursorSets.back().to, (Point{500, 400}));
  EXPECT_TRUE(window().gestureList.Enabled());
}

TEST_F(DrawingTest, AFailedPlaybackGivesTheListBack) {
  AddGesture({0}, "");
  window().gestureList.Select(0);
  world().cursor = {500, 400};
  world().AfterPumps(1, [this] {
    try {
      window().scaleField.SetText("x");
    } catch (const Error&) {
    }
  });
  EXPECT_THROW(window().drawingArea.onDblClick(), Error);
  EXPECT_TRUE(window().gestureList.Enabled());
  EXPECT_EQ(world().cursor, (Point{500, 400}));
}

TEST_F(DrawingTest, TheStartPointFollowsTheCursorUntilTheSecondRightRelease) {
  AddGesture({0}, "");
  window().gestureList.Select(0);
  world().cursor = ScreenOf({10, 10});
  world().AfterPumps(2, [this] { world().cursor = ScreenOf({40, 60}); });
  world().AfterPumps(4, [this] {
    EXPECT_EQ(At(39, 59), kBlue);  // the dot has followed
    world().cursor = ScreenOf({70, 90});
  });
  world().AfterPumps(6, [this] { window().drawingArea.onMouseUp(MouseButton::Right); });
  window().drawingArea.onMouseUp(MouseButton::Right);
  EXPECT_FALSE(state().placingStart);
  EXPECT_EQ(state().startPoint, (Point{70, 90}));
  EXPECT_EQ(SettingsFile(kSettingsName).ReadString("Main", "x2"), "70");
  EXPECT_EQ(SettingsFile(kSettingsName).ReadString("Main", "y2"), "90");
  EXPECT_EQ(At(69, 89), kBlue);
}

}  // namespace
}  // namespace vetrix

// Display scaling: the window, its drawing and the hand distances at 96 DPI and above, and a
// move to a monitor of another scale.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/dpi.h"
#include "capture/drawing.h"
#include "capture/gesture_view.h"
#include "capture/recording.h"
#include "fixture.h"
#include "platform/feedback.h"
#include "platform/trail_canvas.h"
#include "store/settings_file.h"

namespace vetrix {
namespace {

using vetrix::Rect;

struct Placed {
  std::string name;
  Rect rect;
};

// The window's own controls, in its client area; the mouse group's four in the group.
std::vector<Placed> TopControls(MainWindow& w) {
  return {{"drawingArea", w.drawingArea.Bounds()},
          {"gestureList", w.gestureList.Bounds()},
          {"actionList", w.actionList.Bounds()},
          {"startButton", w.startButton.Bounds()},
          {"recordButton", w.recordButton.Bounds()},
          {"scaleField", w.scaleField.Bounds()},
          {"deleteGestureButton", w.deleteGestureButton.Bounds()},
          {"mouseGroup", w.mouseGroup.Bounds()},
          {"hideButton", w.hideButton.Bounds()},
          {"hotKeyField", w.hotKeyField.Bounds()},
          {"hotKeyModeBox", w.hotKeyModeBox.Bounds()},
          {"exactModeBox", w.exactModeBox.Bounds()},
          {"savedCommandBox", w.savedCommandBox.Bounds()},
          {"addCommandButton", w.addCommandButton.Bounds()},
          {"deleteCommandButton", w.deleteCommandButton.Bounds()}};
}
std::vector<Placed> GroupControls(MainWindow& w) {
  return {{"mouseTriggerBox", w.mouseTriggerBox.Bounds()},
          {"leftButtonRadio", w.leftButtonRadio.Bounds()},
          {"middleButtonRadio", w.middleButtonRadio.Bounds()},
          {"rightButtonRadio", w.rightButtonRadio.Bounds()}};
}

bool Inside(const Rect& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.width > 0 && r.height > 0 && r.left + r.width <= width &&
         r.top + r.height <= height;
}
bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

class ScalingTest : public testing::WindowTest {
 protected:
  // A fresh window opened on a primary monitor at `dpi`.
  MainWindow& OpenAt(std::int32_t dpi) {
    Restart();
    world().primaryDpi = dpi;
    Restart(/*keepWorld=*/true);
    window().frame.ShowCentered();
    return window();
  }
};

TEST_F(ScalingTest, AtNinetySixDpiEveryControlIsWhereTheDesignPutsIt) {
  MainWindow& w = OpenAt(96);
  const WindowGeometry g = w.frame.Geometry();
  EXPECT_EQ((Size{g.width, g.height}), (Size{596, 406}));
  // The layout of a 588 x 379 client area, as the window's table and resize rule give it.
  const std::vector<Placed> expected = {
      {"drawingArea", {0, 0, 211, 290}},           {"gestureList", {210, 0, 30, 290}},
      {"actionList", {242, 0, 345, 290}},          {"startButton", {8, 297, 75, 25}},
      {"recordButton", {88, 297, 83, 25}},         {"scaleField", {176, 298, 49, 22}},
      {"deleteGestureButton", {242, 297, 75, 25}}, {"mouseGroup", {319, 292, 185, 41}},
      {"hideButton", {511, 297, 75, 25}},          {"hotKeyField", {8, 329, 121, 19}},
      {"hotKeyModeBox", {136, 332, 113, 17}},      {"exactModeBox", {248, 332, 97, 17}},
      {"savedCommandBox", {8, 355, 417, 21}},      {"addCommandButton", {432, 353, 75, 25}},
      {"deleteCommandButton", {512, 353, 75, 25}}};
  const auto placed = TopControls(w);
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(placed[i].rect, expected[i].rect) << expected[i].name;
  const auto inGroup = GroupControls(w);
  EXPECT_EQ(inGroup[0].rect, (Rect{3, 7, 166, 17}));
  EXPECT_EQ(inGroup[1].rect, (Rect{3, 22, 57, 17}));
  EXPECT_EQ(inGroup[2].rect, (Rect{56, 22, 63, 17}));
  EXPECT_EQ(inGroup[3].rect, (Rect{122, 22, 57, 17}));
}

// Made anywhere else, every control moves before the window first shows: under Wine about a
// hundred requests to the server.
TEST_F(ScalingTest, EveryControlIsMadeWhereTheLayoutPutsIt) {
  for (const std::int32_t dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    Restart();
    world().primaryDpi = dpi;
    Restart(/*keepWorld=*/true);
    MainWindow& w = window();
    const auto made = TopControls(w), madeInGroup = GroupControls(w);
    w.frame.ShowCentered();
    const auto laid = TopControls(w), laidInGroup = GroupControls(w);
    for (std::size_t i = 0; i < laid.size(); ++i)
      EXPECT_EQ(made[i].rect, laid[i].rect) << laid[i].name;
    for (std::size_t i = 0; i < laidInGroup.size(); ++i)
      EXPECT_EQ(madeInGroup[i].rect, laidInGroup[i].rect) << laidInGroup[i].name;
  }
}

TEST_F(ScalingTest, AtEveryScaleTheWindowGrowsAndItsControlsFitAndKeepApart) {
  const auto at96 = TopControls(OpenAt(96));
  for (const std::int32_t dpi : {120, 144, 192, 288}) {
    SCOPED_TRACE(dpi);
    MainWindow& w = OpenAt(dpi);
    const WindowGeometry g = w.frame.Geometry();
    EXPECT_EQ((Size{g.width, g.height}), Scaled(kMainWindowSize, dpi));
    const auto placed = TopControls(w);
    for (std::size_t i = 0; i < placed.size(); ++i) {
      EXPECT_TRUE(Inside(placed[i].rect, g.clientWidth, g.clientHeight)) << placed[i].name;
      // Controls apart at 96 stay apart; the design's own one-pixel overlaps may stay.
      for (std::size_t j = i + 1; j < placed.size(); ++j) {
        if (!Overlap(at96[i].rect, at96[j].rect)) {
          EXPECT_FALSE(Overlap(placed[i].rect, placed[j].rect))
              << placed[i].name << " / " << placed[j].name;
        }
      }
      // Each control is its design size scaled, give or take the rounding of two edges, or
      // larger where the layout stretches it.
      EXPECT_GE(placed[i].rect.width, Scaled(at96[i].rect.width, dpi) - 1) << placed[i].name;
      EXPECT_GE(placed[i].rect.height, Scaled(at96[i].rect.height, dpi) - 1) << placed[i].name;
    }
    const Rect group = w.mouseGroup.Bounds();
    for (const Placed& p : GroupControls(w)) {
      EXPECT_TRUE(Inside(p.rect, group.width, group.height)) << p.name;
      EXPECT_GE(p.rect.height, Scaled(17, dpi) - 1) << p.name;
    }
  }
}

TEST_F(ScalingTest, MovingToAMonitorOfAnotherScaleLaysTheWindowOutAgain) {
  MainWindow& w = OpenAt(96);
  w.frame.Resize(700, 500);
  const auto at96 = TopControls(w), groupAt96 = GroupControls(w);
  world().monitors.push_back({{1024, 0, 2560, 1440}, 192});
  world().DragWindow({1200, 100});
  EXPECT_EQ(w.frame.Dpi(), 192);
  const WindowGeometry g = w.frame.Geometry();
  EXPECT_EQ((Size{g.width, g.height}), (Size{1400, 1000}));
  const auto moved = TopControls(w), movedGroup = GroupControls(w);
  EXPECT_EQ(movedGroup[0].rect, Scaled(design::kMouseTriggerBox, 192));
  EXPECT_EQ(moved[3].rect.height, Scaled(design::kStartButton, 192).height);

  // And back: the pixels of 96 DPI again.
  world().DragWindow({100, 100});
  EXPECT_EQ(w.frame.Dpi(), 96);
  const auto back = TopControls(w), groupBack = GroupControls(w);
  for (std::size_t i = 0; i < back.size(); ++i)
    EXPECT_EQ(back[i].rect, at96[i].rect) << back[i].name;
  for (std::size_t i = 0; i < groupBack.size(); ++i)
    EXPECT_EQ(groupBack[i].rect, groupAt96[i].rect) << groupBack[i].name;

  // On the other monitor everything was where a window of that size opened at 192 DPI has it.
  world().primaryDpi = 192;
  Restart(/*keepWorld=*/true);
  window().frame.ShowCentered();
  window().frame.Resize(1400, 1000);
  const auto fresh = TopControls(window()), freshGroup = GroupControls(window());
  for (std::size_t i = 0; i < fresh.size(); ++i)
    EXPECT_EQ(moved[i].rect, fresh[i].rect) << fresh[i].name;
  for (std::size_t i = 0; i < freshGroup.size(); ++i)
    EXPECT_EQ(movedGroup[i].rect, freshGroup[i].rect) << freshGroup[i].name;
}

// A window opened at 192 DPI on the primary monitor, with a second monitor at 96 to its right.
class ScaledWorkTest : public testing::FileTest {
 protected:
  ScaledWorkTest() {
    world().primaryDpi = 192;
    world().screen = {2048, 1536};
    world().monitors.push_back({{2048, 0, 1024, 768}, 96});
    Restart(/*keepWorld=*/true);
    PointWorldAtFolders();
    window().frame.ShowCentered();
    state().drawingRect = {0, 0, 418, 562};
    window().scaleField.SetText("15");
  }
  platform::Rgb At(int x, int y) { return window().drawingArea.Pixel(x, y); }
  Point ScreenOf(Point area) {
    const WindowGeometry g = window().frame.Geometry();
    return {area.x + g.left + g.width - g.clientWidth - 5,
            area.y + g.top + g.height - g.clientHeight - 5};
  }
  // Starts recognition with the pointer at `from`, moves it by `by` in one pass, and stops.
  void MoveOnce(Point from, Point by) {
    world().cursor = from;
    world().CursorPath({{from.x + by.x, from.y + by.y}});
    world().AfterPumps(2, [this] { window().startButton.Click(); });
    window().startButton.Click();
  }
};

TEST_F(ScaledWorkTest, AGestureIsDrawnAtItsHandSizeFromTheStartPointTheFileKeeps) {
  state().startPoint = {50, 100};
  AddGesture({0}, "");
  window().gestureList.Select(0);
  DrawGesture(window());
  // Twice the size of 96 DPI: the dot's radius 6 around (100, 200), the stroke 30 long, the
  // arrowhead 10.
  EXPECT_EQ(At(95, 200), kBlue);
  for (int x = 107; x < 129; ++x) EXPECT_EQ(At(x, 200), kBlack) << x;
  EXPECT_EQ(At(130, 200), kRed);
  EXPECT_EQ(At(131, 200), kWhite);
  EXPECT_EQ(At(122, 197), kRed);  // the arrowhead reaches back 10 pixels
  EXPECT_EQ(state().penPoint, (Point{130, 200}));

  // Placing the start point stores it at 96 DPI, as a file moved to another PC expects.
  world().cursor = ScreenOf({140, 80});
  world().AfterPumps(2, [this] { window().drawingArea.onMouseUp(platform::MouseButton::Right); });
  window().drawingArea.onMouseUp(platform::MouseButton::Right);
  EXPECT_EQ(state().startPoint, (Point{70, 40}));
  EXPECT_EQ(SettingsFile(kSettingsName).ReadString("Main", "x2"), "70");
  EXPECT_EQ(SettingsFile(kSettingsName).ReadString("Main", "y2"), "40");
  EXPECT_EQ(At(140, 80), kBlack);  // the dot's centre is where the pointer put it
}

TEST_F(ScaledWorkTest, MovementCountsInTheHandDistanceOfThePointersMonitor) {
  AddGesture({0}, "C:\\a.bat");
  // On the primary monitor at 192 DPI a movement must be longer than 40 pixels; on the one
  // at 96 beside it, 20 as ever.
  MoveOnce({1000, 700}, {40, 0});
  EXPECT_TRUE(world().shellCalls.empty());
  MoveOnce({1000, 700}, {41, 0});
  EXPECT_EQ(world().shellCalls.size(), 1u);
  MoveOnce({2200, 300}, {20, 0});
  EXPECT_EQ(world().shellCalls.size(), 1u);
  MoveOnce({2200, 300}, {21, 0});
  EXPECT_EQ(world().shellCalls.size(), 2u);
}

TEST_F(ScaledWorkTest, AFreeStrokeIsTheHandDistanceOfTheCentresMonitor) {
  const Point centre{1024, 768};
  world().CursorPath({{centre.x + 24, centre.y - 32}, centre, {centre.x + 41, centre.y}});
  world().AfterPumps(4, [this] { window().frame.onKeyPress(27); });
  window().recordButton.Click();
  ASSERT_EQ(table().gestureCount, 1);
  // 40 pixels up and right made no stroke; 41 to the right did.
  EXPECT_EQ(table().strokeCount[0], 1);
  EXPECT_EQ(table().angles[0][0], 0);
  EXPECT_EQ(FreeStroke(state().move, {0, 0}, {20, 0}, kNoStroke, 144), std::nullopt);
  EXPECT_EQ(FreeStroke(state().move, {0, 0}, {31, 0}, kNoStroke, 144), 0);
}

TEST_F(ScaledWorkTest, TheTrailIsDrawnAtTheWidthOfItsMonitor) {
  const auto sizes96 = platform::FeedbackSizesAt(96), sizes144 = platform::FeedbackSizesAt(144);
  EXPECT_EQ(sizes96.trailWidth, platform::kTrailWidth);
  EXPECT_EQ(sizes96.tipOffset, (Point{12, 20}));
  EXPECT_EQ(sizes96.tipAbove, 8);
  EXPECT_EQ(sizes96.tipPadding, (Size{12, 6}));
  EXPECT_EQ(sizes144.trailWidth, 6.0f);
  EXPECT_EQ(sizes144.tipOffset, (Point{18, 30}));
  EXPECT_EQ(sizes144.tipAbove, 12);
  EXPECT_EQ(sizes144.tipPadding, (Size{18, 9}));

  // Three pixels off the line's middle: inside a line of 8 (192 DPI), outside one of 4 (96).
  const auto coverBeside = [this] {
    platform::OpenTrail();
    platform::ExtendTrail({500, 400});
    platform::ExtendTrail({560, 400});
    const int cover = world().TrailCover({530, 403});
    platform::CloseTrail();
    return cover;
  };
  EXPECT_EQ(coverBeside(), 255);
  world().primaryDpi = 96;
  EXPECT_EQ(coverBeside(), 0);
}

}  // namespace
}  // namespace vetrix

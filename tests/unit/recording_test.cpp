// Recording new gestures, freely and exactly, and the keys that finish, undo or cancel.
#include "capture/recording.h"

#include <gtest/gtest.h>

#include "base/texts.h"
#include "capture/drawing.h"
#include "fixture.h"
#include "platform/handler.h"
#include "shell/startup.h"
#include "store/settings_file.h"

namespace vetrix {
namespace {

constexpr char kEsc = 27, kBackspace = 8;
constexpr Point kCentre{512, 384};

class RecordingTest : public testing::FileTest {
 protected:
  RecordingTest() { Prepare(); }
  // A fresh window's drawing area and scale, also after Restart.
  void Prepare() {
    state().drawingRect = {0, 0, 209, 281};
    window().scaleField.SetText("15");
  }
  int Count() { return table().gestureCount; }
  int Row() { return table().gestureCount; }
  std::vector<int> Strokes(int row) {
    return {table().angles[row], table().angles[row] + table().strokeCount[row]};
  }
  std::string Key(const char* key) { return SettingsFile().ReadString("Main", key, "<none>"); }
  // The cursor path for free recording: one point per pass, relative to the screen centre.
  void Path(std::initializer_list<Point> offsets) {
    std::vector<Point> path;
    for (Point o : offsets) path.push_back({kCentre.x + o.x, kCentre.y + o.y});
    world().CursorPath(path);
  }
  void KeyAfter(std::uint64_t pumps, char key) {
    world().AfterPumps(pumps, [this, key] { window().frame.onKeyPress(key); });
  }
  Point ScreenOf(Point area) {
    const WindowGeometry g = window().frame.Geometry();
    return {area.x + g.left + g.width - g.clientWidth - 5,
            area.y + g.top + g.height - g.clientHeight - 5};
  }
};

TEST_F(RecordingTest, RightThenUpIsWrittenOnEsc) {
  AddGesture({0}, "a");
  AddGesture({90}, "b");
  AddGesture({180}, "c");
  Path({{50, 0}, {100, 0}, {50, -50}, {50, -100}});
  KeyAfter(5, kEsc);
  world().AfterPumps(1, [this] {
    EXPECT_EQ(window().recordButton.Caption(), texts::kRecording.view());
    EXPECT_FALSE(window().deleteGestureButton.Enabled());
    EXPECT_EQ(window().gestureList.RowText(3), "3");
    EXPECT_EQ(window().gestureList.Selected(), 3);
  });
  window().recordButton.Click();
  EXPECT_EQ(world().cursorSets.front().to, kCentre);
  EXPECT_EQ(Strokes(3), (std::vector<int>{0, 90}));
  EXPECT_EQ(Count(), 4);
  EXPECT_EQ(Key("4"), "0 90");
  EXPECT_EQ(Key("Num"), "4");
  EXPECT_EQ(window().recordButton.Caption(), texts::kRecord.view());
  EXPECT_TRUE(window().deleteGestureButton.Enabled());
  EXPECT_EQ(window().gestureList.RowCount(), 4);
  EXPECT_TRUE(state().stopped);
}

// Wine now and then reports the pointer's old place once more after the warp to the centre has
// shown: no stroke is made of it, while a real move back there is one.
TEST_F(RecordingTest, TheOldPlaceReportedAgainAfterTheWarpMakesNoStroke) {
  const Point old{kCentre.x - 300, kCentre.y + 200};
  struct Case {
    std::vector<std::uint64_t> echoes;  // the reads after the warp that report the old place
    std::initializer_list<Point> path;
    std::vector<int> strokes;
  };
  const Case cases[] = {
      {{1}, {{0, 0}, {60, 0}}, {0}},
      {{1, 2}, {{0, 0}, {60, 0}}, {0}},
      {{2}, {{0, 0}, {60, 0}}, {0}},
      {{2, 3}, {{0, 0}, {0, 0}, {60, 0}}, {0}},
      {{2, 4}, {{0, 0}, {0, 0}, {0, 0}, {60, 0}}, {0}},
      {{}, {{60, 0}, {old.x - kCentre.x, old.y - kCentre.y}}, {0, 210}},
      {{2}, {{0, 0}, {60, 0}, {old.x - kCentre.x, old.y - kCentre.y}}, {0, 210}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.echoes) + " " + ::testing::PrintToString(c.strokes));
    Restart();
    PointWorldAtFolders();
    Prepare();
    world().cursor = old;
    world().warpEchoes = c.echoes;
    Path(c.path);
    KeyAfter(c.path.size() + 2, kEsc);
    window().recordButton.Click();
    EXPECT_EQ(Strokes(0), c.strokes);
  }
}

// Where the warp does not take (the pointer clipped or held by another program), strokes are
// measured from where the pointer is: a small move there makes none, a long one its own.
TEST_F(RecordingTest, WhereTheWarpDoesNotTakeStrokesAreMeasuredFromThePointer) {
  const Point old{kCentre.x - 300, kCentre.y + 200};
  world().cursor = old;
  world().pointerHeld = true;
  // Offsets from the centre that put the pointer 8, then 38 pixels right of its old place.
  const Point from{old.x - kCentre.x, old.y - kCentre.y};
  Path({{from.x, from.y}, {from.x + 8, from.y}, {from.x + 8, from.y}, {from.x + 38, from.y}});
  KeyAfter(6, kEsc);
  window().recordButton.Click();
  EXPECT_EQ(world().cursorSets.front().to, kCentre);
  EXPECT_EQ(Strokes(0), (std::vector<int>{0}));
}

TEST_F(RecordingTest, TwentyPixelsFromTheCentreCommitNothingTwentyOneDo) {
  Path({{12, -16}, {0, 0}, {21, 0}});
  KeyAfter(4, kEsc);
  window().recordButton.Click();
  EXPECT_EQ(Strokes(0), (std::vector<int>{0}));
}

TEST_F(RecordingTest, ClickingRecordWhileRecordingDoesNothing) {
  world().AfterPumps(1, [this] { window().recordButton.Click(); });
  KeyAfter(2, kEsc);
  window().recordButton.Click();
  EXPECT_EQ(window().gestureList.RowCount(), 1);
  EXPECT_EQ(Count(), 1);
}

TEST_F(RecordingTest, BackspaceUndoesThenCancels) {
  Path({{50, 0}, {50, -50}, {0, -50}});
  world().AfterPumps(4, [this] {
    EXPECT_EQ(state().recordedStrokes, 3);
    window().frame.onKeyPress(kBackspace);
    EXPECT_EQ(state().recordedStrokes, 2);
    EXPECT_EQ(state().lastAngle, 90.0f);
    EXPECT_EQ(state().anchorPoint, state().cursorPoint);
    window().frame.onKeyPress(kBackspace);
    window().frame.onKeyPress(kBackspace);
    EXPECT_EQ(state().lastAngle, 999.0f);
    window().frame.onKeyPress(kBackspace);  // nothing left: cancel
  });
  window().recordButton.Click();
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(window().gestureList.RowCount(), 0);
  EXPECT_EQ(window().actionList.RowCount(), 0);
  EXPECT_FALSE(IniExists());
  EXPECT_EQ(window().recordButton.Caption(), texts::kRecord.view());
}

TEST_F(RecordingTest, EscWithoutStrokesCountsButWritesNothing) {
  KeyAfter(2, kEsc);
  window().recordButton.Click();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(table().strokeCount[0], 0);
  EXPECT_EQ(window().gestureList.RowCount(), 1);
  EXPECT_FALSE(IniExists());
}

TEST_F(RecordingTest, ANewGestureInheritsNoLeftoverAction) {
  // "a1" from an uncounted recording that was bound, or from a hand edit.
  WriteIni("[Main]\nNum=1\n1=0\na0=first\na1=*x;/cl;\n");
  OnCreate(window());
  Path({{50, 0}});
  KeyAfter(3, kEsc);
  window().recordButton.Click();
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(table().action[1], "");
  EXPECT_EQ(Key("a1"), "<none>");
  EXPECT_EQ(Key("a0"), "first");
  Restart();
  PointWorldAtFolders();
  OnCreate(window());
  EXPECT_EQ(table().action[1], "");
}

TEST_F(RecordingTest, TheWorkingRowCannotBeBound) {
  world().dialogAnswers = {"C:\\x.exe"};
  world().AfterPumps(2, [this] {
    window().actionList.Select(0);
    window().actionList.onDblClick();
    window().savedCommandBox.SetText("x;/cl;");
    window().bindMenu.Choose(1);
    window().frame.onKeyPress(kBackspace);
  });
  window().recordButton.Click();
  EXPECT_TRUE(world().dialogCalls.empty());
  EXPECT_EQ(table().action[0], "");
  EXPECT_FALSE(std::filesystem::exists(Ini()));
}

TEST_F(RecordingTest, AnInterruptedRecordingLeavesNoStrayRows) {
  AddGesture({0}, "a");
  Path({{50, 0}});
  world().AfterPumps(3, [this] { window().startButton.Click(); });  // stops, like any writer
  window().recordButton.Click();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(window().gestureList.RowCount(), 1);
  EXPECT_EQ(window().actionList.RowCount(), 1);
  EXPECT_EQ(window().recordButton.Caption(), texts::kRecord.view());
}

TEST_F(RecordingTest, ABadScaleEndsTheRecordingButGivesTheButtonsBack) {
  world().AfterPumps(1, [this] {
    try {
      window().scaleField.SetText("x");
    } catch (const Error&) {
    }
  });
  Path({{0, 0}, {50, 0}});
  EXPECT_THROW(window().recordButton.Click(), Error);
  EXPECT_EQ(window().recordButton.Caption(), texts::kRecord.view());
  EXPECT_TRUE(window().deleteGestureButton.Enabled());
  EXPECT_TRUE(state().stopped);
  EXPECT_EQ(window().gestureList.RowCount(), 0);
}

TEST_F(RecordingTest, AFullTableRefusesAnotherRecording) {
  for (int i = 0; i < kMaxGestures - 1; ++i) AddGesture({0}, "");
  UpdateRecordButton(window());
  EXPECT_TRUE(window().recordButton.Enabled());
  KeyAfter(1, kEsc);
  window().recordButton.Click();
  EXPECT_EQ(Count(), kMaxGestures);
  EXPECT_FALSE(window().recordButton.Enabled());
  window().recordButton.Click();  // from code too: nothing
  EXPECT_EQ(window().gestureList.RowCount(), kMaxGestures);
}

TEST_F(RecordingTest, TheHundredAndFirstStrokeEndsTheRecording) {
  std::vector<Point> path;
  Point at = kCentre;
  for (int i = 0; i < 150; ++i) {
    at = {at.x + (i % 2 ? 0 : 30), at.y + (i % 2 ? -30 : 0)};
    path.push_back(at);
  }
  world().CursorPath(path);
  window().recordButton.Click();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(table().strokeCount[0], kMaxStrokes);
  EXPECT_EQ(Key("Num"), "1");
  EXPECT_EQ(window().recordButton.Caption(), texts::kRecord.view());
}

TEST_F(RecordingTest, KeysWithOnlyRecognitionRunningTouchNoRow) {
  AddGesture({0, 90}, "a");
  table().angles[1][0] = 270;  // leftovers in the free row
  world().AfterPumps(2, [this] {
    window().frame.onKeyPress(kBackspace);
    window().frame.onKeyPress(kEsc);
  });
  world().AfterPumps(3, [this] { window().startButton.Click(); });
  window().startButton.Click();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(table().strokeCount[0], 2);
  EXPECT_EQ(window().gestureList.RowCount(), 1);
  EXPECT_FALSE(IniExists());
}

TEST_F(RecordingTest, ExactRecordingCommitsWhatThePreviewShows) {
  window().exactModeBox.SetChecked(true);
  state().startPoint = {100, 100};
  world().cursor = ScreenOf({150, 100});
  world().AfterPumps(2, [this] {
    EXPECT_EQ(table().angles[0][0], 0);  // previewed
    EXPECT_EQ(state().recordedStrokes, 0);
    window().drawingArea.onMouseUp(platform::MouseButton::Left);
  });
  world().AfterPumps(3, [this] {
    EXPECT_EQ(state().recordedStrokes, 1);
    EXPECT_EQ(state().penPoint, (Point{115, 100}));
    window().drawingArea.onMouseUp(platform::MouseButton::Left);  // same direction: nothing
  });
  world().AfterPumps(4, [this] {
    EXPECT_EQ(state().recordedStrokes, 1);
    world().cursor = ScreenOf({115, 40});  // up from the pen
  });
  world().AfterPumps(5, [this] { window().drawingArea.onMouseUp(platform::MouseButton::Left); });
  world().AfterPumps(6, [this] { world().cursor = ScreenOf({60, 85}); });
  world().AfterPumps(7, [this] { window().drawingArea.onMouseUp(platform::MouseButton::Left); });
  world().AfterPumps(8, [this] { world().cursor = ScreenOf({60, 200}); });  // a preview only
  KeyAfter(9, kEsc);
  window().drawingArea.onMouseUp(platform::MouseButton::Left);  // before the recording: ignored
  window().recordButton.Click();
  EXPECT_EQ(Strokes(0), (std::vector<int>{0, 90, 180}));
  EXPECT_EQ(Key("1"), "0 90 180");
}

}  // namespace
}  // namespace vetrix

// Recording new gestures, freely and exactly, and the keys that finish, undo or cancel.
#include "capture/recording.h"

#include <gtest/gtest.h>

#include "capture/drawing.h"
#include "fixture.h"
#include "platform/dispatch.h"
#include "store/settings_file.h"
#include "text/texts.h"

namespace vetrix {
namespace {

constexpr char kEsc = 27, kBackspace = 8;
constexpr Point kCentre{512, 384};

class RecordingTest : public testing::FileTest {
 protected:
  RecordingTest() {
    state().DrawingRect = {0, 0, 209, 281};
    form().SE.SetText("15");
  }
  int Count() { return table().GestureCount; }
  int Row() { return table().GestureCount; }
  std::vector<int> Strokes(int row) {
    return {table().Angles[row], table().Angles[row] + table().SegmentCount[row]};
  }
  std::string Key(const char* key) { return SettingsFile().ReadString("Main", key, "<none>"); }
  // The cursor path for free recording: one point per pass, relative to the screen centre.
  void Path(std::initializer_list<Point> offsets) {
    std::vector<Point> path;
    for (Point o : offsets) path.push_back({kCentre.x + o.x, kCentre.y + o.y});
    world().CursorPath(path);
  }
  void KeyAfter(std::uint64_t pumps, char key) {
    world().AfterPumps(pumps, [this, key] { form().window.onKeyPress(key); });
  }
  Point ScreenOf(Point area) {
    const WindowGeometry g = form().window.Geometry();
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
    EXPECT_EQ(form().Button2.Caption(), texts::kRecording.view());
    EXPECT_FALSE(form().Button3.Enabled());
    EXPECT_EQ(form().List1.RowText(3), "3");
    EXPECT_EQ(form().List1.Selected(), 3);
  });
  form().Button2.Click();
  EXPECT_EQ(world().cursorSets.front().to, kCentre);
  EXPECT_EQ(Strokes(3), (std::vector<int>{0, 90}));
  EXPECT_EQ(Count(), 4);
  EXPECT_EQ(Key("4"), "0 90");
  EXPECT_EQ(Key("Num"), "4");
  EXPECT_EQ(form().Button2.Caption(), texts::kRecord.view());
  EXPECT_TRUE(form().Button3.Enabled());
  EXPECT_EQ(form().List1.RowCount(), 4);
  EXPECT_TRUE(state().Stopped);
}

TEST_F(RecordingTest, TwentyPixelsFromTheCentreCommitNothingTwentyOneDo) {
  Path({{12, -16}, {0, 0}, {21, 0}});
  KeyAfter(4, kEsc);
  form().Button2.Click();
  EXPECT_EQ(Strokes(0), (std::vector<int>{0}));
}

TEST_F(RecordingTest, ClickingRecordWhileRecordingDoesNothing) {
  world().AfterPumps(1, [this] { form().Button2.Click(); });
  KeyAfter(2, kEsc);
  form().Button2.Click();
  EXPECT_EQ(form().List1.RowCount(), 1);
  EXPECT_EQ(Count(), 1);
}

TEST_F(RecordingTest, BackspaceUndoesThenCancels) {
  Path({{50, 0}, {50, -50}, {0, -50}});
  world().AfterPumps(4, [this] {
    EXPECT_EQ(state().RecordedSegments, 3);
    form().window.onKeyPress(kBackspace);
    EXPECT_EQ(state().RecordedSegments, 2);
    EXPECT_EQ(state().LastAngle, 90.0f);
    EXPECT_EQ(state().AnchorPoint, state().CursorPoint);
    form().window.onKeyPress(kBackspace);
    form().window.onKeyPress(kBackspace);
    EXPECT_EQ(state().LastAngle, 999.0f);
    form().window.onKeyPress(kBackspace);  // nothing left: cancel
  });
  form().Button2.Click();
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(form().List1.RowCount(), 0);
  EXPECT_EQ(form().List2.RowCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(Ini()));
  EXPECT_EQ(form().Button2.Caption(), texts::kRecord.view());
}

TEST_F(RecordingTest, EscWithoutStrokesCountsButWritesNothing) {
  KeyAfter(2, kEsc);
  form().Button2.Click();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(table().SegmentCount[0], 0);
  EXPECT_EQ(form().List1.RowCount(), 1);
  EXPECT_FALSE(std::filesystem::exists(Ini()));
}

TEST_F(RecordingTest, AnInterruptedRecordingLeavesNoStrayRows) {
  AddGesture({0}, "a");
  Path({{50, 0}});
  world().AfterPumps(3, [this] { form().Button1.Click(); });  // stops, like any writer
  form().Button2.Click();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(form().List1.RowCount(), 1);
  EXPECT_EQ(form().List2.RowCount(), 1);
  EXPECT_EQ(form().Button2.Caption(), texts::kRecord.view());
}

TEST_F(RecordingTest, ABadScaleEndsTheRecordingButGivesTheButtonsBack) {
  world().AfterPumps(1, [this] {
    try {
      form().SE.SetText("x");
    } catch (const Error&) {
    }
  });
  Path({{0, 0}, {50, 0}});
  EXPECT_THROW(form().Button2.Click(), Error);
  EXPECT_EQ(form().Button2.Caption(), texts::kRecord.view());
  EXPECT_TRUE(form().Button3.Enabled());
  EXPECT_TRUE(state().Stopped);
  EXPECT_EQ(form().List1.RowCount(), 0);
}

TEST_F(RecordingTest, AFullTableRefusesAnotherRecording) {
  for (int i = 0; i < kMaxGestures - 1; ++i) AddGesture({0}, "");
  UpdateRecordButton(form());
  EXPECT_TRUE(form().Button2.Enabled());
  KeyAfter(1, kEsc);
  form().Button2.Click();
  EXPECT_EQ(Count(), kMaxGestures);
  EXPECT_FALSE(form().Button2.Enabled());
  form().Button2.Click();  // from code too: nothing
  EXPECT_EQ(form().List1.RowCount(), kMaxGestures);
}

TEST_F(RecordingTest, TheHundredAndFirstStrokeEndsTheRecording) {
  std::vector<Point> path;
  Point at = kCentre;
  for (int i = 0; i < 150; ++i) {
    at = {at.x + (i % 2 ? 0 : 30), at.y + (i % 2 ? -30 : 0)};
    path.push_back(at);
  }
  world().CursorPath(path);
  form().Button2.Click();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(table().SegmentCount[0], kMaxSegments);
  EXPECT_EQ(Key("Num"), "1");
  EXPECT_EQ(form().Button2.Caption(), texts::kRecord.view());
}

TEST_F(RecordingTest, KeysWithOnlyRecognitionRunningTouchNoRow) {
  AddGesture({0, 90}, "a");
  table().Angles[1][0] = 270;  // leftovers in the free row
  world().AfterPumps(2, [this] {
    form().window.onKeyPress(kBackspace);
    form().window.onKeyPress(kEsc);
  });
  world().AfterPumps(3, [this] { form().Button1.Click(); });
  form().Button1.Click();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(table().SegmentCount[0], 2);
  EXPECT_EQ(form().List1.RowCount(), 1);
  EXPECT_FALSE(std::filesystem::exists(Ini()));
}

TEST_F(RecordingTest, ExactRecordingCommitsWhatThePreviewShows) {
  form().CB2.SetChecked(true);
  state().StartPoint = {100, 100};
  world().cursor = ScreenOf({150, 100});
  world().AfterPumps(2, [this] {
    EXPECT_EQ(table().Angles[0][0], 0);  // previewed
    EXPECT_EQ(state().RecordedSegments, 0);
    form().Image1.onMouseUp(platform::MouseButton::Left);
  });
  world().AfterPumps(3, [this] {
    EXPECT_EQ(state().RecordedSegments, 1);
    EXPECT_EQ(state().PenPoint, (Point{115, 100}));
    form().Image1.onMouseUp(platform::MouseButton::Left);  // same direction: nothing
  });
  world().AfterPumps(4, [this] {
    EXPECT_EQ(state().RecordedSegments, 1);
    world().cursor = ScreenOf({115, 40});  // up from the pen
  });
  world().AfterPumps(5, [this] { form().Image1.onMouseUp(platform::MouseButton::Left); });
  world().AfterPumps(6, [this] { world().cursor = ScreenOf({60, 85}); });
  world().AfterPumps(7, [this] { form().Image1.onMouseUp(platform::MouseButton::Left); });
  world().AfterPumps(8, [this] { world().cursor = ScreenOf({60, 200}); });  // a preview only
  KeyAfter(9, kEsc);
  form().Image1.onMouseUp(platform::MouseButton::Left);  // before the recording: ignored
  form().Button2.Click();
  EXPECT_EQ(Strokes(0), (std::vector<int>{0, 90, 180}));
  EXPECT_EQ(Key("1"), "0 90 180");
}

}  // namespace
}  // namespace vetrix

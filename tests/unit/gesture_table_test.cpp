#include "store/gesture_table.h"

#include <gtest/gtest.h>

namespace vetrix {
namespace {

void Fill(GestureTable& t, int i, std::initializer_list<int> angles, const char* action) {
  int k = 0;
  for (int a : angles) t.Angles[i][k++] = a;
  t.SegmentCount[i] = k;
  t.Action[i] = action;
}

TEST(SharedState, FreshProcessState) {
  SharedState s;
  EXPECT_EQ(s.table.GestureCount, 0);
  EXPECT_TRUE(s.Stopped);
  EXPECT_FALSE(s.OneShot || s.PlaybackActive || s.PlacingStart || s.CommitRequested ||
               s.FormActivated);
  EXPECT_EQ(s.StartPoint, (Point{0, 0}));
  EXPECT_EQ(s.HotKeyCode, 0);
  for (int m : s.ButtonMessages) EXPECT_EQ(m, 0);
  EXPECT_EQ(AngleStep, 30);
  EXPECT_EQ(AngleTolerance, 45);
}

TEST(RemoveGesture, FirstOfThreeMovesTheOthersDownAndLeavesProgress) {
  SharedState s;
  GestureTable& t = s.table;
  Fill(t, 0, {0, 90}, "a");
  Fill(t, 1, {180}, "b");
  Fill(t, 2, {270, 0, 30}, "*c;");
  t.GestureCount = 3;
  t.MatchProgress[0] = 5;
  t.MatchProgress[1] = 6;
  t.MatchProgress[2] = 7;

  RemoveGesture(t, 0);

  EXPECT_EQ(t.GestureCount, 2);
  EXPECT_EQ(t.Action[0], "b");
  EXPECT_EQ(t.SegmentCount[0], 1);
  EXPECT_EQ(t.Angles[0][0], 180);
  EXPECT_EQ(t.Action[1], "*c;");
  EXPECT_EQ(t.SegmentCount[1], 3);
  EXPECT_EQ(t.Angles[1][2], 30);
  EXPECT_EQ(t.Action[2], "");
  EXPECT_EQ(t.SegmentCount[2], 0);
  EXPECT_EQ(t.MatchProgress[0], 5);
  EXPECT_EQ(t.MatchProgress[1], 6);
  EXPECT_EQ(t.MatchProgress[2], 7);
}

TEST(RemoveGesture, LastEntryMovesNothing) {
  GestureTable t;
  Fill(t, 0, {0}, "a");
  Fill(t, 1, {90, 90}, "b");
  t.GestureCount = 2;
  RemoveGesture(t, 1);
  EXPECT_EQ(t.GestureCount, 1);
  EXPECT_EQ(t.Action[0], "a");
  EXPECT_EQ(t.SegmentCount[0], 1);
  EXPECT_EQ(t.Action[1], "");
  EXPECT_EQ(t.SegmentCount[1], 0);
}

TEST(RemoveGesture, WholeRowsMoveIncludingCellsPastTheCount) {
  GestureTable t;
  Fill(t, 0, {0}, "a");
  Fill(t, 1, {90}, "b");
  t.Angles[1][100] = 330;
  t.GestureCount = 2;
  RemoveGesture(t, 0);
  EXPECT_EQ(t.Angles[0][100], 330);
}

TEST(RemoveGesture, IndexOutsideTheTableChangesNothing) {
  GestureTable t;
  Fill(t, 0, {0}, "a");
  t.GestureCount = 1;
  RemoveGesture(t, 1);
  RemoveGesture(t, -1);
  EXPECT_EQ(t.GestureCount, 1);
  EXPECT_EQ(t.Action[0], "a");
  t.GestureCount = 500;  // never trusted beyond the table
  RemoveGesture(t, 150);
  EXPECT_EQ(t.GestureCount, 500);
}

}  // namespace
}  // namespace vetrix

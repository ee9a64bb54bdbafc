#include "store/gesture_table.h"
#include "store/shared_state.h"

#include <gtest/gtest.h>

namespace vetrix {
namespace {

void Fill(GestureTable& t, int i, std::initializer_list<int> angles, const char* action) {
  int k = 0;
  for (int a : angles) t.angles[i][k++] = a;
  t.strokeCount[i] = k;
  t.action[i] = action;
}

TEST(SharedState, FreshProcessState) {
  SharedState s;
  EXPECT_EQ(s.table.gestureCount, 0);
  EXPECT_TRUE(s.stopped);
  EXPECT_FALSE(s.oneShot || s.playbackActive || s.placingStart || s.commitRequested ||
               s.windowActivated);
  EXPECT_EQ(s.startPoint, (Point{0, 0}));
  EXPECT_EQ(s.hotKeyCode, 0);
  for (int m : s.buttonMessages) EXPECT_EQ(m, 0);
}

TEST(RemoveGesture, FirstOfThreeMovesTheOthersDownAndLeavesProgress) {
  SharedState s;
  GestureTable& t = s.table;
  Fill(t, 0, {0, 90}, "a");
  Fill(t, 1, {180}, "b");
  Fill(t, 2, {270, 0, 30}, "*c;");
  t.gestureCount = 3;
  t.matchProgress[0] = 5;
  t.matchProgress[1] = 6;
  t.matchProgress[2] = 7;

  RemoveGesture(t, 0);

  EXPECT_EQ(t.gestureCount, 2);
  EXPECT_EQ(t.action[0], "b");
  EXPECT_EQ(t.strokeCount[0], 1);
  EXPECT_EQ(t.angles[0][0], 180);
  EXPECT_EQ(t.action[1], "*c;");
  EXPECT_EQ(t.strokeCount[1], 3);
  EXPECT_EQ(t.angles[1][2], 30);
  EXPECT_EQ(t.action[2], "");
  EXPECT_EQ(t.strokeCount[2], 0);
  EXPECT_EQ(t.matchProgress[0], 5);
  EXPECT_EQ(t.matchProgress[1], 6);
  EXPECT_EQ(t.matchProgress[2], 7);
}

TEST(RemoveGesture, LastEntryMovesNothing) {
  GestureTable t;
  Fill(t, 0, {0}, "a");
  Fill(t, 1, {90, 90}, "b");
  t.gestureCount = 2;
  RemoveGesture(t, 1);
  EXPECT_EQ(t.gestureCount, 1);
  EXPECT_EQ(t.action[0], "a");
  EXPECT_EQ(t.strokeCount[0], 1);
  EXPECT_EQ(t.action[1], "");
  EXPECT_EQ(t.strokeCount[1], 0);
}

TEST(RemoveGesture, WholeRowsMoveIncludingCellsPastTheCount) {
  GestureTable t;
  Fill(t, 0, {0}, "a");
  Fill(t, 1, {90}, "b");
  t.angles[1][100] = 330;
  t.gestureCount = 2;
  RemoveGesture(t, 0);
  EXPECT_EQ(t.angles[0][100], 330);
}

TEST(RemoveGesture, IndexOutsideTheTableChangesNothing) {
  GestureTable t;
  Fill(t, 0, {0}, "a");
  t.gestureCount = 1;
  RemoveGesture(t, 1);
  RemoveGesture(t, -1);
  EXPECT_EQ(t.gestureCount, 1);
  EXPECT_EQ(t.action[0], "a");
  t.gestureCount = 500;  // never trusted beyond the table
  RemoveGesture(t, 150);
  EXPECT_EQ(t.gestureCount, 500);
}

}  // namespace
}  // namespace vetrix

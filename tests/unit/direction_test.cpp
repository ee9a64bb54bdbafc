#include "capture/direction.h"

#include <gtest/gtest.h>

#include <bit>

namespace vetrix {
namespace {

struct DirCase {
  int dx, dy;
  float expected;
};

TEST(RoundHalfEven, TiesGoToEven) {
  EXPECT_EQ(RoundHalfEven(0.5L), 0);
  EXPECT_EQ(RoundHalfEven(1.5L), 2);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(-0.5L), 0);
  EXPECT_EQ(RoundHalfEven(-1.5L), -2);
  EXPECT_EQ(RoundHalfEven(2.5000001L), 3);
}

TEST(RecordDirection, QuantisesToThirtyDegreeSteps) {
  const DirCase cases[] = {
      {100, 0, 0},      {0, 100, 90},      {-100, 0, 180}, {0, -100, 270}, {0, 0, 0},
      {-1, 0, 180},     {100, -1, 0},      {-1, 100, 90},  {100, 100, 30}, {100, -100, 330},
      {-100, 100, 120}, {-100, -100, 240}, {30, 17, 30},   {-30, 17, 150}, {1, -21, 270},
  };
  for (const auto& c : cases) {
    Movement w;
    EXPECT_EQ(RecordDirection(w, c.dx, c.dy), c.expected) << c.dx << "," << c.dy;
    EXPECT_EQ(w.angle, c.expected);
  }
}

TEST(RecordDirection, EveryResultIsAStepFromZeroTo330) {
  for (int dx = -40; dx <= 40; dx += 3) {
    for (int dy = -40; dy <= 40; dy += 3) {
      Movement w;
      const float a = RecordDirection(w, dx, dy);
      EXPECT_GE(a, 0.0f);
      EXPECT_LE(a, 330.0f);
      EXPECT_EQ(static_cast<int>(a) % kAngleStep, 0) << dx << "," << dy;
    }
  }
}

TEST(SampleDirection, WholeDegreesWithoutFold) {
  const DirCase cases[] = {
      {0, 0, 0},        {0, 50, 90},       {0, -50, 270},  {-100, 0, 180},
      {100, -1, 359},   {1000, -1, 360},   {100, 100, 45}, {100, -100, 315},
      {-100, 100, 135}, {-100, -100, 225}, {-1, 100, 91},  {30, 18, 31},
  };
  for (const auto& c : cases) {
    Movement w;
    EXPECT_EQ(SampleDirection(w, c.dx, c.dy), c.expected) << c.dx << "," << c.dy;
  }
}

TEST(SampleDirection, ZeroDxIsReplacedAndKept) {
  Movement w;
  SampleDirection(w, 0, 37);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(w.dx), 0x33D6BF95u);
  EXPECT_EQ(w.dy, 37.0f);
  SampleDirection(w, -3, 37);
  EXPECT_EQ(w.dx, -3.0f);
}

TEST(DirectionOffset, RoundsEachComponentInScreenOrientation) {
  EXPECT_EQ(DirectionOffset(0, 10), (Offset{10, 0}));
  EXPECT_EQ(DirectionOffset(90, 10), (Offset{0, -10}));
  EXPECT_EQ(DirectionOffset(180, 10), (Offset{-10, 0}));
  EXPECT_EQ(DirectionOffset(270, 15), (Offset{0, 15}));
  EXPECT_EQ(DirectionOffset(30, 10), (Offset{9, -5}));
  EXPECT_EQ(DirectionOffset(160, 5), (Offset{-5, -2}));
  EXPECT_EQ(DirectionOffset(-160, 5), (Offset{-5, 2}));
}

TEST(DirectionOffset, PlaybackTakesAFifthBeforeRounding) {
  EXPECT_EQ(PlaybackOffset(0, 15), (Offset{3, 0}));
  EXPECT_EQ(PlaybackOffset(90, 15), (Offset{0, -3}));
  // 12/5 = 2.4 and 13/5 = 2.6: the division happens before rounding.
  EXPECT_EQ(PlaybackOffset(0, 12), (Offset{2, 0}));
  EXPECT_EQ(PlaybackOffset(180, 13), (Offset{-3, 0}));
}

TEST(DrawingPoint, UsesOuterEdgesAndTheFivePixelShift) {
  const WindowGeometry g{100, 50, 596, 406, 588, 379};
  EXPECT_EQ(DrawingPoint({110, 80}, g), (Point{7, 8}));
}

}  // namespace
}  // namespace vetrix

#include "store/angle_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/handler.h"

namespace vetrix {
namespace {

constexpr std::int32_t kUntouched = -7;

struct Row {
  std::int32_t cells[kAngleRowSize];
  std::int32_t count = kUntouched;
  Row() { std::fill(std::begin(cells), std::end(cells), kUntouched); }
};

std::string Numbers(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += std::to_string(i) + (i + 1 < n ? " " : "");
  return s;
}

TEST(ParseAngleList, CountIsBlanksPlusOne) {
  const struct {
    std::string text;
    std::int32_t count;
    std::vector<std::int32_t> angles;
  } cases[] = {
      {"0 90 180", 3, {0, 90, 180}},
      {"270", 1, {270}},
      {"", 1, {kUntouched}},
      {"0 90 ", 3, {0, 90, kUntouched}},
      {"$1E -30 +60", 3, {30, -30, 60}},
      {Numbers(101), 101, {0, 1, 2}},
  };
  for (const auto& c : cases) {
    Row r;
    ParseAngleList(c.text, r.cells, r.count);
    EXPECT_EQ(r.count, c.count) << '"' << c.text << '"';
    for (std::size_t i = 0; i < c.angles.size(); ++i) EXPECT_EQ(r.cells[i], c.angles[i]) << i;
  }
}

TEST(ParseAngleList, BadPieceIsReportedWithEarlierCellsWritten) {
  const struct {
    std::string text;
    std::string message;
    int written;
  } cases[] = {
      {"0  90", "'' is not a valid integer value", 1},
      {" 90", "'' is not a valid integer value", 0},
      {"0 abc 90", "'abc' is not a valid integer value", 1},
      {"0 90\t180", "'90\t180' is not a valid integer value", 1},
      {"30 60 2147483648", "'2147483648' is not a valid integer value", 2},
  };
  for (const auto& c : cases) {
    Row r;
    try {
      ParseAngleList(c.text, r.cells, r.count);
      ADD_FAILURE() << "no error for \"" << c.text << '"';
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(r.count, kUntouched);
    for (int i = 0; i < kAngleRowSize; ++i)
      EXPECT_EQ(r.cells[i] != kUntouched, i < c.written) << '"' << c.text << "\" cell " << i;
  }
}

TEST(ParseAngleList, SurplusNumbersStayOutsideTheRow) {
  // The row is the last member, so ASan sees a write past it.
  struct {
    std::int32_t cells[kAngleRowSize];
  } row{};
  std::int32_t count = 0;
  ParseAngleList(Numbers(150) + " ", row.cells, count);
  EXPECT_EQ(count, kAngleRowSize);
  EXPECT_EQ(row.cells[100], 100);
}

TEST(ParseAngleList, BadPiecePastTheRowIsStillReported) {
  Row r;
  EXPECT_THROW(ParseAngleList(Numbers(120) + " x", r.cells, r.count), Error);
  EXPECT_EQ(r.count, kUntouched);
}

TEST(AngleListText, EveryAngleFollowedByOneBlank) {
  const std::int32_t angles[] = {0, 90, 180, -30};
  EXPECT_EQ(AngleListText(angles, 3), "0 90 180 ");
  EXPECT_EQ(AngleListText(angles, 4), "0 90 180 -30 ");
  EXPECT_EQ(AngleListText(angles, 0), "");
}

TEST(AngleListText, ReadsBackAfterTheProfileDropsTheFinalBlank) {
  const std::int32_t angles[] = {330, 0, 60};
  std::string text = AngleListText(angles, 3);
  text.pop_back();
  Row r;
  ParseAngleList(text, r.cells, r.count);
  EXPECT_EQ(r.count, 3);
  EXPECT_TRUE(std::equal(std::begin(angles), std::end(angles), r.cells));
}

}  // namespace
}  // namespace vetrix

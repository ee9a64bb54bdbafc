#include "store/number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace vetrix {
namespace {

TEST(ParseInt32, AcceptsEveryNumberForm) {
  const struct {
    std::string_view text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},
      {"7", 7},
      {"007", 7},
      {"-15", -15},
      {"+15", 15},
      {"   42", 42},
      {" -1", -1},
      {"$1F", 31},
      {"$ff", 255},
      {"x10", 16},
      {"X10", 16},
      {"0x3", 3},
      {"0XaB", 171},
      {"  $10", 16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"+0002147483647", 2147483647},
      {"$7FFFFFFF", 2147483647},
      {"0x000000007fffffff", 2147483647},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInt32(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseInt32, RefusesWhatIsNotANumberOrDoesNotFit) {
  const std::string_view cases[] = {
      "",
      " ",
      "-",
      "+",
      "$",
      "0x",
      "x",
      "abc",
      "1 ",
      "1a",
      "12-",
      "--1",
      "+-1",
      "- 1",
      "\t1",
      "1.5",
      "1e3",
      "0b1",
      "$G",
      "-$1",
      "+0x1",
      "0x-1",
      "$ 1",
      "2147483648",
      "-2147483649",
      "$80000000",
      "0xFFFFFFFF",
      "x100000000",
      "99999999999999999999",
      "0x1 ",
  };
  for (std::string_view text : cases)
    EXPECT_EQ(ParseInt32(text), std::nullopt) << '"' << text << '"';
}

TEST(IntToText, PlainDecimalRoundTrips) {
  const std::int32_t values[] = {0, 1, -1, 15, 330, 2147483647, INT32_MIN};
  for (std::int32_t v : values) EXPECT_EQ(ParseInt32(IntToText(v)), v);
  EXPECT_EQ(IntToText(-42), "-42");
  EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace vetrix

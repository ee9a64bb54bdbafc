#include <gtest/gtest.h>

#include "base/texts.h"

namespace vetrix {
namespace {

TEST(Cp1251Text, ConvertsCyrillicAndKeepsAscii) {
  constexpr Cp1251Text t = "Старт v1";
  EXPECT_EQ(t.view(), std::string_view("\xD1\xF2\xE0\xF0\xF2 v1"));
  constexpr Cp1251Text yo = "ЁёАяЯ";
  EXPECT_EQ(yo.view(), std::string_view("\xA8\xB8\xC0\xFF\xDF"));
  EXPECT_EQ(texts::kWaiting.view(), std::string_view("\xCE\xE6\xE8\xE4\xE0\xED\xE8\xE5"));
}

}  // namespace
}  // namespace vetrix

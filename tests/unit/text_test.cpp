#include <gtest/gtest.h>

#include "base/path.h"
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

TEST(SystemPaths, EveryByteOfTheCodePageComesBackFromUtf8) {
  int bytes = 0;
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;  // the one byte without a character
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Cp1251FromUtf8(Utf8FromCp1251(one)), one) << b;
    ++bytes;
  }
  EXPECT_EQ(bytes, 254);
  // Written out by hand: the UTF-8 of "Ёж №5" and its bytes.
  EXPECT_EQ(Cp1251FromUtf8("\xD0\x81\xD0\xB6 \xE2\x84\x96"
                           "5"),
            "\xA8\xE6 \xB9"
            "5");
}

TEST(SystemPaths, WhatTheCodePageCannotHoldIsRefusedOrShownAsAQuestionMark) {
  const char* jurgen = "C:\\J\xC3\xBCrgen\\x.exe";  // "ü"
  EXPECT_EQ(Cp1251FromUtf8(jurgen), std::nullopt);
  EXPECT_EQ(Cp1251FromUtf8Lossy(jurgen), "C:\\J?rgen\\x.exe");
  EXPECT_EQ(Cp1251FromUtf8("\xF0\x9F\x98\x80"), std::nullopt);  // beyond the BMP
  EXPECT_EQ(Cp1251FromUtf8("a\xC3"), std::nullopt);             // cut short
  EXPECT_EQ(Cp1251FromUtf8Lossy("a\xC3"), "a?");
}

TEST(SystemPaths, ASequenceWithABadContinuationByteIsBroken) {
  // Taken whole, each would be a character of the code page ("Ё", "€"); the byte that breaks it
  // is read afresh.
  EXPECT_EQ(Cp1251FromUtf8("\xD0\x41"), std::nullopt);
  EXPECT_EQ(Cp1251FromUtf8Lossy("\xD0\x41"), "?A");
  EXPECT_EQ(Cp1251FromUtf8("\xE2\x82\xEC"), std::nullopt);
  EXPECT_EQ(Cp1251FromUtf8Lossy("\xE2\x82\xC0"), "???");
  EXPECT_EQ(Cp1251FromUtf8Lossy("\xE2\x41\xAC"), "?A?");
}

}  // namespace
}  // namespace vetrix

// Cases here pin the behaviour that gesture.ini relies on; tests/wine/profile_oracle checks the
// whole format against Wine's own routines.
#include "support/profile_whole_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vetrix {
namespace {

using std::nullopt;
using namespace std::literals;

TEST(ProfileRead, FindsValuesAsWineDoes) {
  const struct {
    std::string_view content, section, key;
    std::optional<std::string> expected;
  } cases[] = {
      {"[Main]\r\nNum=2\r\n", "Main", "Num", "2"},
      {"[main]\r\nA0=x\r\n", "MAIN", "a0", "x"},
      {"[Main]\nNum=2\n", "Main", "Num", "2"},
      {"[Main]\rNum=2\r", "Main", "Num", "2"},
      {"[Main]\r\nk=1\rj=2\r\n", "Main", "j", "2"},
      {"[Main]\r\n \tk \t= \t a  b \t\r\n", "Main", "k", "a  b"},
      {"[Main]\r\nk=\"  q  \"\r\n", "Main", "k", "  q  "},
      {"[Main]\r\nk='q'\r\n", "Main", "k", "q"},
      {"[Main]\r\nk=\"q'\r\n", "Main", "k", "\"q'"},
      {"[Main]\r\nk=\"\r\n", "Main", "k", "\""},
      {"[Main]\r\nk=v ; note\r\n", "Main", "k", "v ; note"},
      {"[Main]\r\nk=\r\n", "Main", "k", ""},
      {"[Main]\r\nk=a=b\r\n", "Main", "k", "a=b"},
      {"[Main]\r\nk\r\n", "Main", "k", nullopt},
      {"[Main]\r\nk=1\r\nK=2\r\n", "Main", "k", "1"},
      {"[Main]\r\nx=1\r\n[main]\r\nk=2\r\n", "Main", "k", nullopt},
      {"[ Main ]\r\nk=1\r\n", "Main", "k", "1"},
      {"[Main] junk\r\nk=1\r\n", "Main", "k", "1"},
      {"[Main\r\nk=1\r\n", "Main", "k", nullopt},
      {"k=1\r\n[Main]\r\n", "", "k", "1"},
      {"k=1\r\n[Main]\r\n", "Main", "k", nullopt},
      {"[Main]\r\n;k=1\r\n", "Main", ";k", "1"},
      {"[Main]\r\nk=a\0b\r\n"sv, "Main", "k", "a"},
      {"[Main]\r\nk=\x1a"
       "v\x1a\r\n",
       "Main", "k", "v"},
      {"[Main]\r\nk=\xA0v\xA0\r\n", "Main", "k", "\xA0v\xA0"},
      {"[\xCE\xF1\xED]\r\n\xEA=\xE7\xED\xE0\r\n", "\xCE\xF1\xED", "\xEA", "\xE7\xED\xE0"},
      {"[Main]\r\nk=1\r\n", " Main\t", " k ", "1"},
      {"", "Main", "k", nullopt},
      {"[Main]\r\nk=1\r\n", "Other", "k", nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProfileRead(c.content, c.section, c.key), c.expected)
        << testing::PrintToString(std::string(c.content)) << " [" << c.section << "] " << c.key;
  }
}

TEST(ProfileRead, CutsAtTheBufferAndQuotesAtItsEdge) {
  const std::size_t limit = kProfileReadBuffer - 1;
  auto read = [](const std::string& value) {
    return ProfileRead("[M]\r\nk=" + value + "\r\n", "M", "k").value_or("(none)");
  };
  EXPECT_EQ(read(std::string(limit, 'a')), std::string(limit, 'a'));
  EXPECT_EQ(read(std::string(5000, 'a')), std::string(limit, 'a'));
  EXPECT_EQ(read('"' + std::string(limit - 1, 'q') + '"'), std::string(limit - 1, 'q'));
  // Wine cuts the quoted text first and then drops the last character as if it were the quote.
  EXPECT_EQ(read('"' + std::string(limit, 'q') + '"'), std::string(limit - 1, 'q'));
  EXPECT_EQ(read('"' + std::string(limit + 1, 'q') + '"'), std::string(limit, 'q'));
}

TEST(ProfileWrite, UpdatesAddsAndDeletesInWinesForm) {
  const struct {
    std::string_view content, section, key;
    std::optional<std::string_view> value;
    std::string_view expected;
  } cases[] = {
      {"", "Main", "Num", "1", "[Main]\r\nNum=1\r\n"},
      {"[MAIN]\r\nnum = 1\r\nx=2\r\n", "Main", "Num", "2", "[MAIN]\r\nnum=2\r\nx=2\r\n"},
      {"[Main]\nk=1\n\n[S]\ns=1\n", "Main", "j", "2", "[Main]\r\nk=1\r\nj=2\r\n[S]\r\ns=1\r\n"},
      {"[Main]\r\nk=1\r\n", "Other", "k", "v", "[Main]\r\nk=1\r\n[Other]\r\nk=v\r\n"},
      {"[Main]\r\nk=1\r\n; c\r\nj\r\n", "Main", "n", "2", "[Main]\r\nk=1\r\n; c\r\nj\r\nn=2\r\n"},
      {"[Main]\r\nk=1\r\nj=2\r\n", "main", "K", nullopt, "[Main]\r\nj=2\r\n"},
      {"[Main]\r\nk\r\nj=2\r\n", "Main", "k", nullopt, "[Main]\r\nj=2\r\n"},
      {"[Main]\r\nk\r\n", "Main", "k", "v", "[Main]\r\nk=v\r\n"},
      {"[Main]\r\nk=1\r\nk=2\r\n", "Main", "k", nullopt, "[Main]\r\nk=2\r\n"},
      {"[M]\r\n[m]\r\nk=1\r\n", "M", "k", nullopt, "[M]\r\n[m]\r\n"},
      {"[M]\r\n[m]\r\nk=1\r\n", "M", "k", "2", "[M]\r\nk=2\r\n[m]\r\nk=1\r\n"},
      {"[Main]\r\nk=1\r\n", "Main", "k", "  0 90 ", "[Main]\r\nk=0 90 \r\n"},
      {"[Main]\r\nk=1\r\n", "Main", "k", "a\0b"sv, "[Main]\r\nk=a\r\n"},
      {"[Main]\r\nk=1\r\n", " New ", " k ", "v", "[Main]\r\nk=1\r\n[New ]\r\nk =v\r\n"},
      {"k=1\r\n[]\r\nj=2\r\n", "", "n", "3", "k=1\r\nn=3\r\nj=2\r\n"},
      {"[Main]\r\nk=\xC0\xFF\r\n", "Main", "j", "\x98", "[Main]\r\nk=\xC0\xFF\r\nj=\x98\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProfileWrite(c.content, c.section, c.key, c.value), c.expected)
        << testing::PrintToString(std::string(c.content)) << " [" << c.section << "] " << c.key;
  }
}

TEST(ProfileWrite, LeavesTheFileAloneWhenNothingChanges) {
  const struct {
    std::string_view content, section, key;
    std::optional<std::string_view> value;
  } cases[] = {
      {"[Main]\nk = 1 \n", "Main", "K", "1"},   {"[Main]\nk=   \n", "Main", "k", ""},
      {"[Main]\nk=1\n", "Main", "j", nullopt},  {"[Main]\nk=1\n", "Other", "k", nullopt},
      {"[Tail]\nk=1\n", "Tail ", "k", nullopt}, {"", "Main", "k", nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProfileWrite(c.content, c.section, c.key, c.value), c.content) << c.content;
}

// Found by fuzzing, checked against Wine: a NUL keeps white space at the end of a section's name,
// so a write under the trimmed name makes a new section, and the rewritten file shows the old one
// under that name first.
TEST(ProfileWrite, ANameCutAtANulKeepsItsTrailingBlankUntilTheFileIsRewritten) {
  const std::string_view file = "[n\t\0\0]\r\nk=old\r\n"sv;
  EXPECT_EQ(ProfileRead(file, "n", "k"), nullopt);
  const std::string written = ProfileWrite(file, "n", "k", "new");
  EXPECT_EQ(written, "[n\t]\r\nk=old\r\n[n]\r\nk=new\r\n");
  EXPECT_EQ(ProfileRead(written, "n", "k"), "old");
}

TEST(ProfileKeys, ListsKeysWithValuesOfTheFirstSection) {
  using Names = std::vector<std::string>;
  const struct {
    std::string_view content, section;
    Names expected;
  } cases[] = {
      {"[Main]\r\nNum=1\r\n1=0 \r\na0=x\r\n", "main", {"Num", "1", "a0"}},
      {"[M]\r\n;c=1\r\nk\r\nj=\r\n#h=2\r\n", "M", {"j", "#h"}},
      {"[M]\r\nk=1\r\nK=2\r\n[m]\r\nz=3\r\n", "M", {"k", "K"}},
      {"[M]\r\na=1\r\n=2\r\nb=3\r\n", "M", {"a", "", "b"}},
      {"[M]\r\n=2\r\nb=3\r\n", "M", {}},
      {"[ M ]\r\nk=1\r\n", " M ", {}},
      {"top=1\r\n[M]\r\n", "", {"top"}},
      {"[M]\r\n", "Other", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ProfileKeys(c.content, c.section), c.expected) << c.content;
}

TEST(ProfileFormat, RenumberingLikeDeletingAGestureKeepsEveryOtherLine) {
  std::string f = "[Main]\r\nNum=3\r\n1=0 \r\n2=90 \r\n3=180 \r\na0=x\r\na1=y\r\na2=z\r\n";
  f = ProfileWrite(f, "Main", "1", nullopt);
  f = ProfileWrite(f, "Main", "A0", nullopt);
  for (int j = 1; j < 3; ++j) {
    const std::string next = std::to_string(j + 1), moved = "a" + std::to_string(j);
    f = ProfileWrite(f, "Main", std::to_string(j), ProfileRead(f, "Main", next).value_or(""));
    f = ProfileWrite(f, "Main", "a" + std::to_string(j - 1),
                     ProfileRead(f, "Main", moved).value_or(""));
  }
  f = ProfileWrite(f, "Main", "3", nullopt);
  f = ProfileWrite(f, "Main", "a2", nullopt);
  f = ProfileWrite(f, "Main", "Num", "2");
  // Keys new to the file go to the end; the others keep their lines.
  EXPECT_EQ(f, "[Main]\r\nNum=2\r\n2=180\r\na1=z\r\n1=90\r\na0=y\r\n");
}

// Written to key after key, a parsed file writes what the plain functions write and reads as the
// file it wrote, also where the written lines read back otherwise.
TEST(ProfileText, WritesAsThePlainFunctionsAndReadsAsItsFile) {
  struct Write {
    std::string_view section, key;
    std::optional<std::string_view> value;
  };
  const struct {
    std::string_view content;
    std::vector<Write> writes;
  } cases[] = {
      {"[Main]\nNum=1\n1=0\n",
       {{"Main", "2", "0 90 "}, {"Main", "Num", "2"}, {"Main", "2", "0 90 "}}},
      {"", {{"Main", "k", nullopt}, {" New ", " k ", "v "}, {"New", "k", nullopt}}},
      {"[M]\r\nk=1\r\n", {{"M", "[x]", "1"}, {"M", "k", "2"}, {"x", "", "3"}}},
      {"[M]\r\nk=1\r\n", {{"M", "k", "a\r\n[N]\r\nj=b"}, {"N", "j", "c"}, {"M", "k", nullopt}}},
      {"[M]\r\na \0b=1\r\n\0c\r\n[]\r\nz=2\r\n"sv, {{"M", "a", "2"}, {"M", "a", nullopt}}},
      {"[M]\nk=1\nk=2\n",
       {{"M", "k", nullopt}, {"M", "k", "3 "}, {"M", "j", "4"}, {"M", "k", nullopt}}},
      {"[M]\r\n[m]\r\nk=1\r\n", {{"M", "k", "2"}, {"m", "k", nullopt}, {"m", "k", nullopt}}},
  };
  for (const auto& c : cases) {
    ProfileText text(c.content);
    std::string file(c.content);
    for (const Write& w : c.writes) {
      const std::string written = ProfileWrite(file, w.section, w.key, w.value);
      EXPECT_EQ(text.Write(w.section, w.key, w.value), written != file);
      file = written;
      EXPECT_EQ(text.Text(), file) << testing::PrintToString(std::string(c.content));
      for (const Write& r : c.writes) {
        EXPECT_EQ(text.Read(r.section, r.key), ProfileRead(file, r.section, r.key)) << file;
        EXPECT_EQ(text.Keys(r.section), ProfileKeys(file, r.section)) << file;
      }
    }
  }
}

}  // namespace
}  // namespace vetrix

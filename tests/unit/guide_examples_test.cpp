// The guides' command examples, read out of the guide files themselves: every line
// "  <text for the command box>  →  <what it sends>" is bound to a gesture as the command box
// binds it, fired, and must send exactly what its right-hand side says.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "base/path.h"
#include "fixture.h"
#include "platform/system.h"
#include "recognition/action.h"
#include "shell/action_editing.h"

namespace vetrix::fake {
inline void PrintTo(const KeyEvent& k, std::ostream* os) {
  *os << (k.up ? "up " : "down ") << int(k.vk) << " (scan " << k.scan << ")";
}
}  // namespace vetrix::fake

namespace vetrix {
namespace {

using fake::KeyEvent;

constexpr std::string_view kArrow = " \xE2\x86\x92 ";  // " → "

struct Example {
  int line;
  std::string command;  // what the user pastes into the command box (UTF-8)
  std::string sends;    // the right-hand side, as the guide words it
};

std::vector<Example> ExamplesOf(const std::string& guide) {
  std::ifstream in(std::string(VETRIX_DOCS_DIR) + "/" + guide, std::ios::binary);
  EXPECT_TRUE(in) << guide;
  std::vector<Example> examples;
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t arrow = line.find(kArrow);
    if (arrow == std::string::npos) continue;
    const auto trim = [](std::string s) {
      s.erase(0, s.find_first_not_of(' '));
      s.erase(s.find_last_not_of(' ') + 1);
      return s;
    };
    examples.push_back({n, trim(line.substr(0, arrow)), trim(line.substr(arrow + kArrow.size()))});
  }
  return examples;
}

// The guide's key names, by their virtual-key codes: a table of the test's own, not the
// program's.
std::optional<std::uint8_t> KeyOf(const std::string& name) {
  static const std::map<std::string, std::uint8_t> named = {
      {"Ctrl", 17},  {"Shift", 16}, {"Alt", 18},   {"Win", 91},  {"Tab", 9},
      {"Enter", 13}, {"Esc", 27},   {"Space", 32}, {"Left", 37}, {"Up", 38},
      {"Right", 39}, {"Down", 40},  {"Del", 46},   {"Home", 36}, {"End", 35}};
  if (const auto it = named.find(name); it != named.end()) return it->second;
  if (name.size() == 1 &&
      ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
    return static_cast<std::uint8_t>(name[0]);
  if (name.size() >= 2 && name[0] == 'F') {
    const int n = std::atoi(name.c_str() + 1);
    if (n >= 1 && n <= 24 && std::to_string(n) == name.substr(1))
      return static_cast<std::uint8_t>(111 + n);
  }
  return std::nullopt;
}

// What a right-hand side promises: window commands (a firing each, the window's state carried
// over), or key events. Chords "Ctrl+Shift+T" hold the keys before the last in order, tap the
// last and release the held ones in reverse; "A, B" is one chord after the other. Words in
// brackets are comments. Empty: a side the test cannot read.
struct Promise {
  std::vector<std::vector<std::string>> commandsPerFiring;
  std::vector<KeyEvent> keys;
  bool readable = false;
};

Promise Read(std::string sends) {
  if (const std::size_t bracket = sends.find(" ("); bracket != std::string::npos)
    sends.erase(bracket);
  static const std::map<std::string, std::vector<std::vector<std::string>>> windowWords = {
      {"nothing", {{}}},
      {"ничего", {{}}},
      {"minimise the window", {{"minimize"}}},
      {"свернуть окно", {{"minimize"}}},
      {"maximise the window, the next time restore it", {{"maximize"}, {"restore"}}},
      {"развернуть окно, в следующий раз вернуть прежний размер", {{"maximize"}, {"restore"}}},
      {"close the window", {{"close"}}},
      {"закрыть окно", {{"close"}}},
  };
  Promise p;
  if (const auto it = windowWords.find(sends); it != windowWords.end()) {
    p.commandsPerFiring = it->second;
    p.readable = true;
    return p;
  }
  std::istringstream chords(sends);
  for (std::string chord; std::getline(chords, chord, ',');) {
    chord.erase(0, chord.find_first_not_of(' '));
    std::vector<std::uint8_t> keys;
    std::istringstream parts(chord);
    for (std::string part; std::getline(parts, part, '+');) {
      const auto key = KeyOf(part);
      if (!key) return {};
      keys.push_back(*key);
    }
    if (keys.empty()) return {};
    const auto event = [](std::uint8_t vk, bool up) {
      return KeyEvent{vk, platform::ScanCodeOf(vk), up};
    };
    for (std::size_t i = 0; i + 1 < keys.size(); ++i) p.keys.push_back(event(keys[i], false));
    p.keys.push_back(event(keys.back(), false));
    p.keys.push_back(event(keys.back(), true));
    for (std::size_t i = keys.size() - 1; i-- > 0;) p.keys.push_back(event(keys[i], true));
  }
  p.commandsPerFiring = {{}};
  p.readable = true;
  return p;
}

class GuideExamples : public testing::WindowTest {
 protected:
  // Binds the command as the command box does and fires it once per promised firing.
  void Check(const std::string& guide, const Example& e, const Promise& p) {
    const std::string where = guide + ":" + std::to_string(e.line) + " " + e.command;
    Restart();
    const int row = AddGesture({0}, "");
    window().actionList.Select(row);
    const auto text = Cp1251FromUtf8(e.command);
    ASSERT_TRUE(text) << where;
    window().savedCommandBox.SetText(*text);
    BindCommandToGesture(window());
    for (const auto& commands : p.commandsPerFiring) {
      world().windowCommands.clear();
      RunAction(window(), row);
      EXPECT_EQ(world().windowCommands, commands) << where;
    }
    EXPECT_EQ(world().keyEvents, p.keys) << where;
  }
};

TEST_F(GuideExamples, EveryExampleInBothGuidesSendsWhatItSays) {
  const std::vector<std::string> guides = {"user-guide-ru.txt", "user-guide.txt"};
  std::vector<std::vector<Example>> all;
  for (const std::string& guide : guides) {
    all.push_back(ExamplesOf(guide));
    EXPECT_GE(all.back().size(), 14u) << guide << ": the ready examples are missing";
    for (const Example& e : all.back()) {
      const Promise p = Read(e.sends);
      EXPECT_TRUE(p.readable) << guide << ":" << e.line << " says it sends \"" << e.sends
                              << "\", which this test cannot read";
      if (p.readable) Check(guide, e, p);
    }
  }
  // The same examples in the same order: what each sends, whatever its name.
  for (std::size_t g = 1; g < guides.size(); ++g) {
    ASSERT_EQ(all[g].size(), all[0].size()) << guides[g];
    for (std::size_t i = 0; i < all[0].size(); ++i) {
      const Promise first = Read(all[0][i].sends), other = Read(all[g][i].sends);
      EXPECT_TRUE(first.keys == other.keys && first.commandsPerFiring == other.commandsPerFiring)
          << "example " << i + 1 << ": \"" << all[0][i].sends << "\" and \"" << all[g][i].sends
          << "\"";
    }
  }
}

}  // namespace
}  // namespace vetrix

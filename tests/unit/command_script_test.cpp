#include "recognition/command_script.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "recognition/action.h"
#include "recognition/key_names.h"
#include "store/script_field.h"
#include "support/field_rule.h"

namespace vetrix {
namespace {

using fake::KeyEvent;

TEST(ScriptField, TheLastCharacterClosesTheLastField) {
  struct Case {
    const char* text;
    int n;
    const char* field;
  } cases[] = {
      {"*Max;/mx;", 1, "*Max"},
      {"*Max;/mx;", 2, "/mx"},
      {"*Max;/mx;", 3, ""},
      {"*a;b", 1, "*a"},
      {"*a;b", 2, ""},
      {"*a;b", 3, ""},
      {"abc", 1, "ab"},
      {"", 1, ""},
      {"", 4, ""},
      {"*Max", 1, "*Ma"},
      {";;", 1, ""},
      {";;", 2, ""},
      {"*x;;/cl;", 3, "/cl"},
      {"a;b;c", 3, ""},
      {"a;b;c", 2, "b"},
  };
  for (const auto& c : cases) EXPECT_EQ(ScriptField(c.text, c.n), c.field) << c.text << " " << c.n;
}

TEST(ScriptField, FieldsAndTheOnePassWalkFollowThePlainRule) {
  // Every text of up to 7 characters over {a, b, ;}.
  int texts = 0;
  for (int length = 0; length <= 7; ++length) {
    int count = 1;
    for (int i = 0; i < length; ++i) count *= 3;
    for (int code = 0; code < count; ++code, ++texts) {
      std::string text;
      for (int i = 0, c = code; i < length; ++i, c /= 3) text += "ab;"[c % 3];
      ScriptFields walk(text);
      for (int n = 1; n <= length + 2; ++n) {
        const std::string want = testing::PlainField(text, n);
        ASSERT_EQ(ScriptField(text, n), want) << text << " field " << n;
        ASSERT_EQ(std::string(walk.Next()), want) << text << " walked to field " << n;
      }
    }
  }
  EXPECT_EQ(texts, 3280);
}

TEST(KeyCodeFromName, PrefixesInAnyOrderAndCase) {
  const std::uint16_t ctrlAltF5 = kCtrlBit | kAltBit | 116;
  EXPECT_EQ(KeyCodeFromName("Ctrl+Alt+F5"), ctrlAltF5);
  EXPECT_EQ(KeyCodeFromName("alt+ctrl+f5"), ctrlAltF5);
  EXPECT_EQ(KeyCodeFromName("^Alt+F5"), ctrlAltF5);
  EXPECT_EQ(KeyCodeFromName("SHIFT+a"), kShiftBit | 65);
  EXPECT_EQ(KeyCodeFromName("Ctrl+"), 0);
  EXPECT_EQ(KeyCodeFromName(""), 0);
  EXPECT_EQ(KeyCodeFromName("Nonsense"), 0);
  EXPECT_EQ(KeyCodeFromName("Ctrl+Nonsense"), 0);
  // Fixed names win over the layout's, and the main-keyboard digit over the keypad's.
  EXPECT_EQ(KeyCodeFromName("tab"), 9);
  EXPECT_EQ(KeyCodeFromName("7"), 55);
  EXPECT_EQ(KeyCodeFromName("pgdn"), 34);
  EXPECT_EQ(KeyCodeFromName("F24"), 135);
  // Modifier keys are named by the layout only.
  EXPECT_EQ(KeyCodeFromName("ctrl"), 17);
  EXPECT_EQ(KeyCodeFromName("Caps Lock"), 20);
  // A name only a code below 8 has is reached through the codes above the byte.
  EXPECT_EQ(KeyCodeFromName("break"), 256 + 3);
}

TEST(HotKeyText, WritesPrefixesInFixedOrder) {
  EXPECT_EQ(HotKeyText(kAltBit | kCtrlBit | 116), "Ctrl+Alt+F5");
  EXPECT_EQ(HotKeyText(kShiftBit | kAltBit | 65), "Shift+Alt+A");
  EXPECT_EQ(HotKeyText(103), "7");          // keypad 7
  EXPECT_EQ(HotKeyText(kCtrlBit | 7), "");  // no name, no text
  EXPECT_EQ(HotKeyText(0), "");
}

TEST(HotKeyText, RoundTripKeepsModifiersAndName) {
  for (int vk = 8; vk <= 255; ++vk) {
    for (int bits : {0, kShiftBit | 0, kCtrlBit | kAltBit, kShiftBit | kCtrlBit | kAltBit}) {
      const auto code = static_cast<std::uint16_t>(vk | bits);
      const std::string text = HotKeyText(code);
      if (text.empty()) continue;
      const std::uint16_t back = KeyCodeFromName(text);
      EXPECT_EQ(back & 0xE000, bits) << text;
      EXPECT_EQ(KeyName(back), KeyName(code)) << text;
    }
  }
  // A keypad digit comes back as the main-keyboard digit.
  EXPECT_EQ(KeyCodeFromName(HotKeyText(kCtrlBit | 103)), kCtrlBit | 55);
}

class CommandScriptTest : public testing::WindowTest {
 protected:
  std::vector<KeyEvent>& keys() { return world().keyEvents; }
  std::vector<std::string>& commands() { return world().windowCommands; }
};

TEST_F(CommandScriptTest, MaximiseTogglesAndFieldsAreLowerCased) {
  RunCommandScript("*Max;/mx;");
  RunCommandScript("*Max;/MX;");
  RunCommandScript("*Max;/mx;");
  EXPECT_EQ(commands(), (std::vector<std::string>{"maximize", "restore", "maximize"}));
}

TEST_F(CommandScriptTest, UnknownAndMalformedFieldsDoNothing) {
  RunCommandScript("*Max; /mx;");  // leading blank
  RunCommandScript("*x;/mn");      // field 2 is "/m"
  RunCommandScript("*x;hello;/MN ;");
  EXPECT_TRUE(commands().empty());
  EXPECT_TRUE(keys().empty());
}

TEST_F(CommandScriptTest, AnEmptyFieldEndsTheScript) {
  RunCommandScript("*x;/mn;;/cl;");
  EXPECT_EQ(commands(), (std::vector<std::string>{"minimize"}));
}

TEST_F(CommandScriptTest, HoldTapRelease) {
  RunCommandScript("*Copy;+ctrl;*c;-ctrl;");
  EXPECT_EQ(keys(), (std::vector<KeyEvent>{
                        {17, 0x1D, false}, {67, 0x2E, false}, {67, 0x2E, true}, {17, 0x1D, true}}));
}

TEST_F(CommandScriptTest, WindowsKeysAreFixedNames) {
  RunCommandScript("*Win;*lwin;*RWIN;");
  EXPECT_EQ(keys(),
            (std::vector<KeyEvent>{{91, 0, false}, {91, 0, true}, {92, 0, false}, {92, 0, true}}));
}

TEST_F(CommandScriptTest, RepeatedTapsAndUnknownNames) {
  RunCommandScript("*Tab;*tab;*TAB;");
  EXPECT_EQ(keys().size(), 4u);
  for (const auto& k : keys()) EXPECT_EQ(k.vk, 9);
  keys().clear();
  RunCommandScript("*x;+;-nosuchkey;");
  EXPECT_EQ(keys(), (std::vector<KeyEvent>{{0, 0, false}, {0, 0, true}}));
}

TEST_F(CommandScriptTest, PrefixedNameSendsOnlyItsLowByte) {
  RunCommandScript("*x;*ctrl+f5;");
  EXPECT_EQ(keys(), (std::vector<KeyEvent>{{116, 0, false}, {116, 0, true}}));
}

TEST_F(CommandScriptTest, RunActionChoosesScriptOrFile) {
  AddGesture({0}, "*Max;/mx;");
  AddGesture({0}, "D:\\Tools\\Calc\\calc.exe");
  AddGesture({0}, "notes.txt");
  RunAction(window(), 0);
  RunAction(window(), 1);
  EXPECT_EQ(state().actionFolder, "D:\\Tools\\Calc\\");
  RunAction(window(), 2);
  EXPECT_EQ(commands(), (std::vector<std::string>{"maximize"}));
  ASSERT_EQ(world().shellCalls.size(), 2u);
  EXPECT_EQ(world().shellCalls[0].file, "D:\\Tools\\Calc\\calc.exe");
  EXPECT_EQ(world().shellCalls[0].directory, "D:\\Tools\\Calc\\");
  // No folder part: no working folder, so the shell uses the current one.
  EXPECT_EQ(world().shellCalls[1].file, "notes.txt");
  EXPECT_EQ(world().shellCalls[1].directory, "");
  EXPECT_EQ(state().actionFolder, "");
}

}  // namespace
}  // namespace vetrix

// What starts and stops recognition: the hot key, the mouse-button trigger, the options.
#include "recognition/mouse_trigger.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/texts.h"
#include "fixture.h"
#include "recognition/hot_key.h"
#include "recognition/pause.h"
#include "shell/startup.h"
#include "store/settings_file.h"

namespace vetrix {

namespace fake {
void PrintTo(const World::MouseTrigger& t, std::ostream* os) {
  *os << "{button " << t.button << (t.on ? ", on" : ", off")
      << (t.holdBack ? ", held back}" : ", not held back}");
}
}  // namespace fake

namespace {

constexpr std::uint16_t kCtrlAltF5 = 0x4000 | 0x8000 | 116;

class TriggersTest : public testing::FileTest {
 protected:
  void HotKeyMode(std::uint16_t code) {
    window().hotKeyField.SetCode(code);
    window().hotKeyModeBox.SetChecked(true);
  }
  void Hook(std::int32_t message) { window().frame.onHookMessage(message); }
  bool Running() { return !state().stopped; }
};

TEST_F(TriggersTest, HotKeyTogglesRecognitionAndOneGestureStopsIt) {
  AddGesture({0}, "C:\\a.bat");
  AddGesture({180}, "");
  HotKeyMode(kCtrlAltF5);
  world().AfterPumps(1, [this] {
    EXPECT_EQ(world().hotKey, (fake::World::HotKey{3, 116}));
    EXPECT_TRUE(Running());
    window().frame.onHotKey();  // stops
  });
  window().startButton.Click();
  EXPECT_FALSE(Running());
  EXPECT_EQ(world().pumps, 1u);

  world().cursor = {500, 400};
  world().AfterPumps(2, [this] { world().cursor = {540, 400}; });
  window().frame.onHotKey();  // starts; the gesture fires and one-shot mode stops it
  EXPECT_FALSE(Running());
  EXPECT_EQ(world().shellCalls.size(), 1u);
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
}

TEST_F(TriggersTest, OutsideHotKeyModeEveryClickEmptiesTheField) {
  window().hotKeyField.SetCode(kCtrlAltF5);
  world().AfterPumps(1, [this] { window().startButton.Click(); });
  window().startButton.Click();
  EXPECT_EQ(window().hotKeyField.Code(), 0);
  EXPECT_FALSE(world().hotKey.has_value());
  EXPECT_EQ(world().hotKeyRegistrations, 0);
}

TEST_F(TriggersTest, AKeyWithoutModifiersIsRegisteredAlone) {
  HotKeyMode(116);
  world().AfterPumps(1, [this] { window().startButton.Click(); });
  window().startButton.Click();
  EXPECT_EQ(state().hotKeyModifiers, 0);
  EXPECT_EQ(state().hotKeyCode, 116);
}

TEST_F(TriggersTest, ATakenKeyIsReportedAndChangesNothing) {
  world().hotKeysTaken.push_back({3, 116});
  HotKeyMode(kCtrlAltF5);
  window().hotKeyField.SetEnabled(false);
  window().startButton.Click();
  EXPECT_FALSE(Running());
  ASSERT_EQ(world().messageBoxes.size(), 1u);
  EXPECT_EQ(world().messageBoxes[0].text, texts::kWrongKey.view());
  EXPECT_EQ(world().messageBoxes[0].caption, texts::kErrorCaption.view());
  EXPECT_TRUE(window().hotKeyField.Enabled());
  EXPECT_TRUE(window().hotKeyField.Focused());
  EXPECT_FALSE(world().hotKey.has_value());
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());

  // A running recognition stays running when the stopping click fails.
  world().hotKeysTaken.clear();
  world().AfterPumps(1, [this] {
    world().hotKeysTaken.push_back({3, 116});
    window().startButton.Click();
    EXPECT_TRUE(Running());
    world().hotKeysTaken.clear();
    window().startButton.Click();
  });
  window().startButton.Click();
  EXPECT_FALSE(Running());
}

TEST_F(TriggersTest, AFailedStartUpRegistrationFocusesTheFieldOnFirstActivation) {
  WriteIni("[Main]\nHK=yes\nHotkey=Ctrl+Alt+F5\n");
  world().hotKeysTaken.push_back({3, 116});
  OnCreate(window());
  EXPECT_EQ(world().messageBoxes.size(), 1u);
  EXPECT_FALSE(window().hotKeyField.Focused());
  EXPECT_EQ(window().hotKeyField.Code(), kCtrlAltF5);
  EXPECT_TRUE(world().hookInstalled);  // creation went on
  window().frame.onFirstActivate();
  EXPECT_TRUE(window().hotKeyField.Focused());
}

TEST_F(TriggersTest, TheRightButtonRunsRecognitionWhileHeld) {
  window().rightButtonRadio.SetChecked(true);
  window().mouseTriggerBox.SetChecked(true);
  EXPECT_EQ(world().mouseTrigger, (fake::World::MouseTrigger{3, true, true}));
  int depth = 0;
  world().AfterPumps(2, [&] {
    EXPECT_TRUE(Running());
    depth = 1;
    Hook(164);  // a second press nests a second run
    depth = 0;
  });
  world().AfterPumps(4, [&] {
    EXPECT_EQ(depth, 1);
    Hook(513);  // another button: ignored
    EXPECT_TRUE(Running());
    Hook(517);
  });
  Hook(516);
  EXPECT_FALSE(Running());
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
}

TEST_F(TriggersTest, UntickedMouseOptionIgnoresHookMessagesButPumps) {
  window().rightButtonRadio.SetChecked(true);
  bool pumped = false;
  world().AfterPumps(1, [&] { pumped = true; });
  Hook(516);
  EXPECT_FALSE(Running());
  EXPECT_TRUE(pumped);
}

TEST_F(TriggersTest, WithNoButtonChosenZeroStartsAndThenStops) {
  window().mouseTriggerBox.SetChecked(true);
  world().AfterPumps(1, [this] {
    EXPECT_TRUE(Running());
    window().startButton.Click();
  });
  Hook(0);
  EXPECT_FALSE(Running());
  EXPECT_EQ(world().pumps, 2u);  // the run's pass, then the handler's own pump
}

TEST_F(TriggersTest, ChoosingAnotherButtonStopsRecognitionAndSaves) {
  window().leftButtonRadio.SetChecked(true);
  world().AfterPumps(1, [this] { window().middleButtonRadio.SetChecked(true); });
  window().startButton.Click();
  EXPECT_FALSE(Running());
  EXPECT_FALSE(window().leftButtonRadio.Checked());
  EXPECT_EQ(state().buttonMessages[0], 519);
  EXPECT_EQ(SettingsFile().ReadString("Main", "MB"), "2");
  EXPECT_EQ(world().mouseTrigger.button, 2);
}

TEST_F(TriggersTest, HoldingTheButtonBackCanBeSwitchedOff) {
  WriteIni("[Main]\nMB=3\nUM=1\nHoldButton=no\n");
  OnCreate(window());
  EXPECT_EQ(world().mouseTrigger, (fake::World::MouseTrigger{3, true, false}));
}

TEST_F(TriggersTest, OnlyTheRightButtonIsHeldBackUnlessTheFileSaysOtherwise) {
  struct Case {
    const char* holdLine;
    int button;
    bool held;
  };
  const Case cases[] = {
      {"", 3, true},
      {"", 1, false},
      {"", 2, false},
      {"HoldButton=yes\n", 1, true},
      {"HoldButton=yes\n", 2, true},
      {"HoldButton=yes\n", 3, true},
      {"HoldButton=no\n", 1, false},
      {"HoldButton=maybe\n", 1, false},
      {"HoldButton=maybe\n", 3, true},
  };
  for (const Case& c : cases) {
    Restart();
    PointWorldAtFolders();
    WriteIni("[Main]\nUM=1\nMB=" + std::to_string(c.button) + "\n" + c.holdLine);
    OnCreate(window());
    EXPECT_EQ(world().mouseTrigger, (fake::World::MouseTrigger{c.button, true, c.held}))
        << c.holdLine << " MB=" << c.button;
  }
}

TEST_F(TriggersTest, WhenTheFileRefusesTheChoiceNothingIsHeldForARunThatNeverComes) {
  WriteIni("[Main]\nMB=3\nUM=1\n");
  world().profileWritesFail = true;
  OnCreate(window());
  EXPECT_EQ(world().errorBoxes.size(), 2u);  // "MB", then "UM"
  EXPECT_TRUE(window().rightButtonRadio.Checked());
  EXPECT_TRUE(window().mouseTriggerBox.Checked());
  // No button was selected: a right press would start nothing, so it is neither reported nor
  // held back.
  EXPECT_EQ(world().mouseTrigger, (fake::World::MouseTrigger{0, true, false}));
  Hook(516);
  EXPECT_FALSE(Running());
}

TEST_F(TriggersTest, TheHookLibraryFollowsTheBoxEvenWhenTheFileRefusesIt) {
  window().rightButtonRadio.SetChecked(true);
  window().mouseTriggerBox.SetChecked(true);
  world().profileWritesFail = true;
  // Unticked: recognition no longer answers the right button, so it must not stay held back.
  EXPECT_THROW(window().mouseTriggerBox.SetChecked(false), Error);
  EXPECT_EQ(world().mouseTrigger, (fake::World::MouseTrigger{3, false, true}));
  // Ticked again: it answers once more, and so the library must report the button.
  EXPECT_THROW(window().mouseTriggerBox.SetChecked(true), Error);
  EXPECT_EQ(world().mouseTrigger, (fake::World::MouseTrigger{3, true, true}));
  world().profileWritesFail = false;
  world().AfterPumps(1, [this] {
    EXPECT_TRUE(Running());
    Hook(517);
  });
  Hook(516);
  EXPECT_FALSE(Running());
}

TEST_F(TriggersTest, LeavingHotKeyModeUnregistersAndEmptiesTheField) {
  HotKeyMode(kCtrlAltF5);
  world().AfterPumps(1, [this] { window().hotKeyModeBox.SetChecked(false); });
  world().AfterPumps(2, [this] { window().startButton.Click(); });
  window().startButton.Click();
  EXPECT_FALSE(state().oneShot);
  EXPECT_FALSE(world().hotKey.has_value());
  EXPECT_EQ(window().hotKeyField.Code(), 0);
  EXPECT_EQ(SettingsFile().ReadString("Main", "HK"), "no");
}

TEST_F(TriggersTest, ClosingRemovesHookAndHotKey) {
  WriteIni("[Main]\nHK=yes\nHotkey=^Alt+F5\n");
  OnCreate(window());
  EXPECT_EQ(world().hotKey, (fake::World::HotKey{3, 116}));
  EXPECT_TRUE(world().hookInstalled);
  world().AfterPumps(1, [this] { window().frame.Close(); });
  EXPECT_THROW(window().startButton.Click(), fake::ProcessExit);
  EXPECT_FALSE(world().hookInstalled);
  EXPECT_FALSE(world().hotKey.has_value());
  EXPECT_EQ(SettingsFile(".\\gesture.ini").ReadString("Main", "Hotkey"), "Ctrl+Alt+F5");
}

// The library says when its hook cannot be set and when it is again: the tray tip follows,
// and a pause in between does not hide it.
TEST_F(TriggersTest, AnUnheardTriggerIsTheTrayTipUntilItIsHeardAgain) {
  window().trayIcon.Add();
  state().pauseRules.programs = {"game.exe"};
  window().frame.onHookSilent(true);
  EXPECT_EQ(world().tray.tip, texts::kHookSilentTip.view());
  world().BringToFront({"game.exe", {0, 0, 10, 10}, {0, 0, 1024, 768}, false});
  OnForegroundChanged(window());
  EXPECT_EQ(world().tray.tip, texts::kPausedTip.str() + " (game.exe)");
  world().BringToFront({"notepad.exe", {0, 0, 10, 10}, {0, 0, 1024, 768}, false});
  OnForegroundChanged(window());
  EXPECT_EQ(world().tray.tip, texts::kHookSilentTip.view());
  window().frame.onHookSilent(false);
  EXPECT_EQ(world().tray.tip, texts::kAppTitle.view());
}

}  // namespace
}  // namespace vetrix

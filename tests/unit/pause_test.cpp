// Staying out of games: excluded programs and full-screen windows in front pause recognition.
#include "recognition/pause.h"

#include <gtest/gtest.h>

#include "base/texts.h"
#include "fixture.h"
#include "platform/system.h"
#include "shell/startup.h"

namespace vetrix {
namespace {

using platform::ForegroundWindow;

constexpr Rect kMonitor{0, 0, 1024, 768};
constexpr Point kOrigin{500, 400};
constexpr Cp1251Text kGameTip = "Vetrix: пауза (game.exe)";

ForegroundWindow Program(const char* name, Rect bounds = {100, 100, 400, 300}) {
  return {name, bounds, kMonitor, false};
}

class PauseTest : public testing::FileTest {
 protected:
  // A profile with one gesture (right, then up) and `more` after it; the program created from it.
  void Create(const std::string& more) {
    WriteIni("[Main]\nNum=1\n1=0 90\na0=C:\\hit.bat\n" + more);
    OnCreate(window());
  }
  void BringToFront(ForegroundWindow front) {
    world().BringToFront(std::move(front));
    platform::ProcessMessages();
  }
  // Schedules a move of the pointer by `by` at the next scripted pump.
  void MoveAt(std::uint64_t pump, Point by) {
    world().AfterPumps(pump, [this, by] {
      world().cursor = {world().cursor.x + by.x, world().cursor.y + by.y};
    });
  }
  std::size_t Fired() { return world().shellCalls.size(); }

  static constexpr Point kRight{30, 0};
  static constexpr Point kUp{0, -30};
};

TEST_F(PauseTest, AnExcludedProgramPausesRecognitionUntilAnotherComesToTheFront) {
  Create("[Exclude]\n1=Game.EXE\n");
  world().cursor = kOrigin;
  MoveAt(1, kRight);  // the gesture's first stroke
  world().AfterPumps(2, [this] { world().BringToFront(Program("game.exe")); });
  world().AfterPumps(4, [this] {
    EXPECT_TRUE(state().paused);
    EXPECT_EQ(table().matchProgress[0], 0) << "the attempt in progress is dropped";
    EXPECT_EQ(world().tray.tip, kGameTip.view());
  });
  MoveAt(4, kUp);     // would complete the gesture
  MoveAt(5, kRight);  // would start it afresh
  world().AfterPumps(6, [this] { world().BringToFront(Program("notepad.exe")); });
  world().AfterPumps(8, [this] {
    EXPECT_FALSE(state().paused);
    EXPECT_EQ(world().tray.tip, "Vetrix");
    EXPECT_EQ(Fired(), 0u);
  });
  MoveAt(8, kUp);  // nothing was started while paused
  MoveAt(9, kRight);
  MoveAt(10, kUp);
  world().AfterPumps(11, [this] { window().startButton.Click(); });
  window().frame.onFirstActivate();  // continuous recognition runs until the click
  EXPECT_EQ(Fired(), 1u);
  EXPECT_EQ(table().matchProgress[0], 0);
}

TEST_F(PauseTest, HotKeyRunsFollowNothingWhilePaused) {
  Create("HK=yes\nHotkey=Ctrl+Alt+F5\n[Exclude]\n1=game.exe\n");
  BringToFront(Program("game.exe"));
  world().cursor = kOrigin;
  MoveAt(1, kRight);
  MoveAt(2, kUp);
  world().AfterPumps(3, [this] {
    EXPECT_FALSE(state().stopped) << "one-shot mode waits for a gesture that never came";
    window().frame.onHotKey();
  });
  window().frame.onHotKey();
  EXPECT_EQ(Fired(), 0u);

  BringToFront(Program("notepad.exe"));
  MoveAt(1, kRight);
  MoveAt(2, kUp);
  window().frame.onHotKey();  // the gesture fires and one-shot mode stops the run
  EXPECT_EQ(Fired(), 1u);
  EXPECT_TRUE(state().stopped);
}

TEST_F(PauseTest, TheTriggerButtonIsLeftToTheProgramInFront) {
  using Trigger = fake::World::MouseTrigger;
  world().foreground = Program("game.exe");
  Create("UM=1\nMB=3\n[Exclude]\n1=game.exe\n");
  EXPECT_EQ(world().mouseTrigger, (Trigger{3, false, false})) << "paused from the start";
  EXPECT_EQ(world().tray.tip, kGameTip.view());

  BringToFront(Program("notepad.exe"));
  EXPECT_EQ(world().mouseTrigger, (Trigger{3, true, true}));
  // A run the button started ends when the game comes to the front: the library will not
  // report its release (without the stop this loop would never end).
  world().AfterPumps(1, [this] { world().BringToFront(Program("GAME.exe")); });
  window().frame.onHookMessage(516);
  EXPECT_TRUE(state().stopped);
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
  EXPECT_EQ(world().mouseTrigger, (Trigger{3, false, false}));
}

TEST_F(PauseTest, FullScreenWindowsPauseOnlyWithTheOption) {
  Create("PauseFullscreen=yes\n");
  BringToFront(Program("player.exe", kMonitor));
  EXPECT_TRUE(state().paused);
  EXPECT_EQ(world().tray.tip, "Vetrix: \xEF\xE0\xF3\xE7\xE0 (player.exe)");
  world().PlaceForeground({100, 100, 400, 300});  // back to a window
  platform::ProcessMessages();
  EXPECT_FALSE(state().paused);
  EXPECT_EQ(world().tray.tip, "Vetrix");
  BringToFront({"explorer.exe", kMonitor, kMonitor, /*shell=*/true});
  EXPECT_FALSE(state().paused) << "the desktop covers the monitor too";

  for (const char* value : {"PauseFullscreen=no\n", "PauseFullscreen=Yes\n", ""}) {
    Restart();
    PointWorldAtFolders();
    Create(value);
    EXPECT_FALSE(world().foregroundWatch) << value << "nothing is followed";
    BringToFront(Program("player.exe", kMonitor));
    EXPECT_FALSE(state().paused) << value;
    for (const std::string& call : world().tray.calls) EXPECT_NE(call, "modify:tip") << value;
  }
}

TEST_F(PauseTest, APausedRunStartsAfreshFromWhereThePointerIsWhenThePauseEnds) {
  WriteIni(
      "[Main]\nNum=2\n1=0 90\n2=180\na0=C:\\hit.bat\na1=C:\\left.bat\n[Exclude]\n1=game.exe\n");
  OnCreate(window());
  world().cursor = kOrigin;
  world().AfterPumps(1, [this] { world().BringToFront(Program("game.exe")); });
  MoveAt(3, {-300, 0});  // far to the left while the game is in front: no stroke
  world().AfterPumps(4, [this] { world().BringToFront(Program("notepad.exe")); });
  MoveAt(6, kRight);
  MoveAt(7, kUp);
  world().AfterPumps(8, [this] { window().startButton.Click(); });
  window().frame.onFirstActivate();
  ASSERT_EQ(Fired(), 1u);
  EXPECT_EQ(world().shellCalls[0].file, "C:\\hit.bat");
}

TEST_F(PauseTest, TheTipNamesEachExcludedProgramThatComesToTheFront) {
  constexpr Cp1251Text kOtherTip = "Vetrix: пауза (other.exe)";
  Create("[Exclude]\n1=game.exe\n2=other.exe\n");
  BringToFront(Program("game.exe"));
  EXPECT_EQ(world().tray.tip, kGameTip.view());
  BringToFront(Program("other.exe"));
  EXPECT_TRUE(state().paused);
  EXPECT_EQ(world().tray.tip, kOtherTip.view());
  BringToFront(Program("notepad.exe"));
  EXPECT_EQ(world().tray.tip, "Vetrix");
}

TEST_F(PauseTest, APathNamesItsLastPartWhicheverSlashItUses) {
  WriteIni(
      "[Exclude]\n1=C:/Games/war.exe\n2=D:\\Games\\Doom.exe\n3=C:\\Games/mixed\\x.exe\n"
      "4=C:/Games/\n");
  EXPECT_EQ(ReadOptions().pause.programs,
            (std::vector<std::string>{"war.exe", "Doom.exe", "x.exe"}));
  OnCreate(window());
  BringToFront(Program("WAR.exe"));
  EXPECT_TRUE(state().paused);
}

TEST(PauseReasonTest, ProgramsByFileNameWithoutCaseAndWindowsThatFillTheirMonitor) {
  const PauseRules rules{{"game.exe", "\xC8\xE3\xF0\xE0.exe" /* Игра.exe */}, true};
  const Rect second{1024, 0, 1280, 1024};
  struct Case {
    ForegroundWindow front;
    std::optional<std::string> reason;
  };
  const Case cases[] = {
      {Program("GAME.EXE"), "GAME.EXE"},
      {Program("\xE8\xc3\xd0\xe0.EXE") /* иГРа.EXE */, "\xE8\xc3\xd0\xe0.EXE"},
      {Program("game.exe.bak"), std::nullopt},
      {Program("agame.exe"), std::nullopt},
      {Program(""), std::nullopt},
      {Program("player.exe", {-8, -8, 1040, 784}), "player.exe"},
      {Program("", kMonitor), ""},  // a program that cannot be asked still pauses
      {Program("player.exe", {0, 0, 1024, 767}), std::nullopt},
      {Program("player.exe", {1, 0, 1024, 768}), std::nullopt},
      {{"player.exe", second, second, false}, "player.exe"},
      {{"player.exe", kMonitor, second, false}, std::nullopt},
      {{"player.exe", kMonitor, {}, false}, std::nullopt},
      {{"explorer.exe", kMonitor, kMonitor, true}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PauseReason(rules, c.front), c.reason) << c.front.program;
  }
  EXPECT_EQ(PauseReason({{"game.exe"}, false}, Program("player.exe", kMonitor)), std::nullopt);
}

TEST_F(PauseTest, TheExclusionListIsReadWithinBounds) {
  std::string many = "[Exclude]\n1=C:\\Games\\Game.exe\n2=\n3=" + std::string(300, 'x') +
                     "\nany=other.exe\n;4=commented.exe\n";
  for (int i = 0; i < 1000; ++i) many += "n" + std::to_string(i) + "=p" + std::to_string(i) + "\n";
  WriteIni(many);
  const PauseRules rules = ReadOptions().pause;
  // The first 256 keys: four before the numbered ones (the commented one is no key), then
  // n0 ... n251; the empty and the overlong names are not taken.
  ASSERT_EQ(rules.programs.size(), kMaxExcludedPrograms - 2);
  EXPECT_EQ(rules.programs[0], "Game.exe");
  EXPECT_EQ(rules.programs[1], "other.exe");
  EXPECT_EQ(rules.programs[2], "p0");
  EXPECT_EQ(rules.programs.back(), "p251");
  EXPECT_FALSE(rules.fullscreen);
}

}  // namespace
}  // namespace vetrix

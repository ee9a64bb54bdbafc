#include "store/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "base/texts.h"
#include "fixture.h"
#include "platform/handler.h"
#include "shell/action_editing.h"
#include "shell/bindings.h"
#include "shell/startup.h"
#include "store/settings_file.h"

namespace vetrix {
namespace {

class SettingsTest : public testing::FileTest {
 protected:
  std::string Key(const char* section, const char* key, const char* fallback = "<none>") {
    return SettingsFile().ReadString(section, key, fallback);
  }
  void Create() { OnCreate(window()); }
};

TEST_F(SettingsTest, NoFileGivesDefaultsAndCreatesNothing) {
  Create();
  EXPECT_EQ(table().gestureCount, 0);
  EXPECT_EQ(window().gestureList.RowCount(), 0);
  EXPECT_EQ(window().savedCommandBox.ItemCount(), 0);
  EXPECT_FALSE(window().leftButtonRadio.Checked() || window().middleButtonRadio.Checked() ||
               window().rightButtonRadio.Checked() || window().mouseTriggerBox.Checked());
  EXPECT_FALSE(window().hotKeyModeBox.Checked() || window().exactModeBox.Checked());
  EXPECT_EQ(state().startPoint, (Point{0, 0}));
  EXPECT_EQ(window().scaleField.Text(), "15");
  EXPECT_TRUE(state().stopped);
  EXPECT_FALSE(state().oneShot);
  std::string folder = (root_ / "program").string() + "/";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  EXPECT_EQ(state().programFolder.utf8, folder);
  // No file: a first start, whose icon says where the program is once the window has gone
  // there (ShellTest.OnlyAStartWithoutGestureIniSaysWhereTheProgramIs).
  EXPECT_EQ(world().tray.calls, (std::vector<std::string>{"add"}));
  EXPECT_FALSE(IniExists());
  EXPECT_EQ(state().drawingRect.right, 209);
  EXPECT_EQ(state().drawingRect.bottom, 281);
}

TEST_F(SettingsTest, GesturesLoadWithActionsAndDisplayTexts) {
  WriteIni("[Main]\nNum=3\n1=0 90\n2=180\nA0=C:\\t\\a.bat\n3=270 0\na2=*Max;/mx;\n");
  Create();
  ASSERT_EQ(table().gestureCount, 3);
  EXPECT_EQ(table().strokeCount[0], 2);
  EXPECT_EQ(table().angles[0][1], 90);
  EXPECT_EQ(table().strokeCount[1], 1);
  EXPECT_EQ(table().action[0], "C:\\t\\a.bat");
  EXPECT_EQ(table().action[1], "");
  EXPECT_EQ(window().gestureList.RowText(2), "2");
  EXPECT_EQ(window().actionList.RowText(0), "C:\\t\\a.bat");
  EXPECT_EQ(window().actionList.RowText(1), "");
  EXPECT_EQ(window().actionList.RowText(2), "*Max");
}

TEST_F(SettingsTest, OptionValuesAreReadStrictly) {
  struct Case {
    const char* ini;
    bool left, middle, right, mouse, hotKeyMode, exact;
  } cases[] = {
      {"[Main]\nHK=Yes\nHotkey=F5\nAR=YES\n", false, false, false, false, false, false},
      {"[Main]\nHK=yes\nAR=yes\n", false, false, false, false, true, true},
      {"[Main]\nMB=4\n", false, false, false, false, false, false},
      {"[Main]\nMB=-1\nUM=0\n", false, false, false, false, false, false},
      {"[Main]\nMB=0x3\n", false, false, true, false, false, false},
      {"[Main]\nMB=$2\nUM=2\n", false, true, false, true, false, false},
      {"[main]\nmb=1\num=x\n", true, false, false, false, false, false},
  };
  for (const auto& c : cases) {
    fake::ResetWorld();
    PointWorldAtFolders();
    MainWindow f;
    BindHandlers(f);
    WriteIni(c.ini);
    OnCreate(f);
    EXPECT_EQ(f.leftButtonRadio.Checked(), c.left) << c.ini;
    EXPECT_EQ(f.middleButtonRadio.Checked(), c.middle) << c.ini;
    EXPECT_EQ(f.rightButtonRadio.Checked(), c.right) << c.ini;
    EXPECT_EQ(f.mouseTriggerBox.Checked(), c.mouse) << c.ini;
    EXPECT_EQ(f.hotKeyModeBox.Checked(), c.hotKeyMode) << c.ini;
    EXPECT_EQ(f.state.oneShot, c.hotKeyMode) << c.ini;
    EXPECT_EQ(f.exactModeBox.Checked(), c.exact) << c.ini;
    EXPECT_TRUE(f.state.stopped) << c.ini;
    EXPECT_EQ(f.startButton.Caption(), texts::kStart.view()) << c.ini;
  }
}

TEST_F(SettingsTest, OptionHandlersWriteTheirValuesBack) {
  WriteIni("[Main]\nMB=0x3\nUM=2\nHK=yes\nHotkey=alt+ctrl+f5\nx2=40\ny2=-7\nScale=007\n");
  Create();
  EXPECT_EQ(Key("Main", "MB"), "3");
  EXPECT_EQ(Key("Main", "UM"), "1");
  EXPECT_EQ(Key("Main", "HK"), "yes");
  EXPECT_EQ(state().buttonMessages[0], 516);
  EXPECT_EQ(state().buttonMessages[3], 165);
  EXPECT_EQ(window().hotKeyField.Code(), 0x4000 | 0x8000 | 116);
  EXPECT_EQ(state().startPoint, (Point{40, -7}));
  EXPECT_EQ(window().scaleField.Text(), "7");
  // The scale reaches the file only when the program closes.
  EXPECT_EQ(Key("Main", "Scale"), "007");
}

TEST_F(SettingsTest, LoadingDoesNotRewriteTheFile) {
  const std::string ini =
      "[Main]\nNum=2\n1=0 90\n2=180\na0=x\nMB=2\nTraceFile=trace.txt\n[Messages]\n"
      "NumOfMessages=1\n1=*a;\n";
  WriteIni(ini);
  Create();
  EXPECT_EQ(ReadIni(), ini);
}

TEST_F(SettingsTest, CountsOutsideTheTableAreClamped) {
  std::string ini = "[Main]\nNum=1000\n";
  for (int i = 1; i <= 120; ++i) ini += std::to_string(i) + "=90\n";
  std::string longList;
  for (int i = 0; i < 150; ++i) longList += "30 ";
  ini += "1=" + longList + "\n";  // a duplicate: the first "1" wins
  WriteIni(ini);
  Create();
  EXPECT_EQ(table().gestureCount, kMaxGestures);
  EXPECT_EQ(window().gestureList.RowCount(), kMaxGestures);
  EXPECT_EQ(table().strokeCount[0], 1);

  fake::ResetWorld();
  PointWorldAtFolders();
  MainWindow negative;
  BindHandlers(negative);
  WriteIni("[Main]\nNum=-5\n1=0\n2=" + longList + "\n");
  OnCreate(negative);
  EXPECT_EQ(negative.state.table.gestureCount, 0);
  EXPECT_EQ(negative.gestureList.RowCount(), 0);
}

TEST_F(SettingsTest, LoadingReadsTheFileOncePerStepAndAsTheSystemDoes) {
  std::string ini = "[Main]\nNum=101\nScale=9\nHotkey=F5\nHK=yes\n";
  for (int i = 1; i <= 101; ++i)
    ini +=
        std::to_string(i) + "=0 90 \na" + std::to_string(i - 1) + "=run" + std::to_string(i) + "\n";
  ini += "[Messages]\nNumOfMessages=100\n";
  for (int i = 1; i <= 100; ++i) ini += std::to_string(i) + "=line " + std::to_string(i) + "\n";
  WriteIni(ini);
  Create();
  // Options, saved commands, gestures.
  EXPECT_EQ(world().profileReads, 3);
  EXPECT_EQ(table().gestureCount, 101);
  EXPECT_EQ(table().action[100], "run101");
  EXPECT_EQ(window().savedCommandBox.ItemText(99), "line 100");
  EXPECT_EQ(window().scaleField.Text(), "9");
  EXPECT_EQ(window().hotKeyField.Code(), 116);
}

TEST_F(SettingsTest, LongAngleListsStopAtTheRow) {
  std::string list;
  for (int i = 0; i < 300; ++i) list += std::to_string(i % 12 * 30) + " ";
  WriteIni("[Main]\nNum=2\n1=" + list + "\n2=90\n");
  Create();
  EXPECT_EQ(table().strokeCount[0], kMaxStrokes);
  EXPECT_EQ(table().angles[0][100], 100 % 12 * 30);
  EXPECT_EQ(table().angles[1][0], 90);
}

TEST_F(SettingsTest, ABrokenEntryIsReportedAndKeepsItsPlace) {
  WriteIni("[Main]\nNum=4\n1=0\n2=0  90\na1=C:\\b.bat\n3=\n4=180\na3=C:\\d.bat\n");
  Create();
  EXPECT_EQ(world().errorBoxes, (std::vector<std::string>{"'' is not a valid integer value"}));
  ASSERT_EQ(table().gestureCount, 4);
  EXPECT_EQ(table().strokeCount[0], 1);
  EXPECT_EQ(table().strokeCount[1], 0);  // broken: no strokes, so it never fires
  EXPECT_EQ(table().strokeCount[2], 0);  // empty list: no strokes either
  EXPECT_EQ(table().strokeCount[3], 1);
  EXPECT_EQ(table().angles[3][0], 180);
  // Rows stay table indices.
  ASSERT_EQ(window().actionList.RowCount(), 4);
  EXPECT_EQ(window().actionList.RowText(1), "C:\\b.bat");
  EXPECT_EQ(window().actionList.RowText(3), "C:\\d.bat");
}

TEST_F(SettingsTest, SavedCommandsSkipGapsAndSurviveHugeCounts) {
  WriteIni("[Messages]\nNumOfMessages=3\n1=*a;\n3=*c;\n7=*g;\n");
  Create();
  ASSERT_EQ(window().savedCommandBox.ItemCount(), 2);
  EXPECT_EQ(window().savedCommandBox.ItemText(1), "*c;");

  fake::ResetWorld();
  PointWorldAtFolders();
  MainWindow huge;
  BindHandlers(huge);
  WriteIni("[Messages]\nNumOfMessages=2147483647\n2=two\n01=not a number key\n5=five\n");
  OnCreate(huge);
  ASSERT_EQ(huge.savedCommandBox.ItemCount(), 2);
  EXPECT_EQ(huge.savedCommandBox.ItemText(0), "two");
  EXPECT_EQ(huge.savedCommandBox.ItemText(1), "five");
}

TEST_F(SettingsTest, FinishingARecordingWritesTheListAndCount) {
  WriteFinishedGesture(3, "0 90 ");
  EXPECT_EQ(Key("Main", "3"), "0 90");
  EXPECT_EQ(Key("Main", "Num"), "3");
  WriteFinishedGesture(4, "");
  EXPECT_EQ(Key("Main", "Num"), "3");
}

TEST_F(SettingsTest, DeletingTheFirstOfThreeRenumbers) {
  WriteIni("[Main]\nNum=3\n1=0\n2=90\n3=180\na0=A\na1=B\na2=C\n");
  Create();
  window().gestureList.Select(0);
  window().deleteGestureButton.Click();
  EXPECT_EQ(Key("Main", "1"), "90");
  EXPECT_EQ(Key("Main", "2"), "180");
  EXPECT_EQ(Key("Main", "3"), "<none>");
  EXPECT_EQ(Key("Main", "a0"), "B");
  EXPECT_EQ(Key("Main", "a1"), "C");
  EXPECT_EQ(Key("Main", "a2"), "<none>");
  EXPECT_EQ(Key("Main", "Num"), "2");
  EXPECT_EQ(table().gestureCount, 2);
  EXPECT_EQ(table().action[0], "B");
  EXPECT_EQ(table().angles[1][0], 180);
  EXPECT_EQ(window().gestureList.RowCount(), 2);
  EXPECT_EQ(window().gestureList.RowText(0), "0");
  EXPECT_EQ(window().gestureList.RowText(1), "1");
  EXPECT_EQ(window().actionList.RowText(0), "B");
  EXPECT_EQ(window().gestureList.Selected(), -1);
}

TEST_F(SettingsTest, DeletingTheLastOfThreeMovesNothing) {
  WriteIni("[Main]\nNum=3\n1=0\n2=90\n3=180\na0=A\na1=B\na2=C\n");
  Create();
  window().gestureList.Select(2);
  window().deleteGestureButton.Click();
  EXPECT_EQ(Key("Main", "1"), "0");
  EXPECT_EQ(Key("Main", "2"), "90");
  EXPECT_EQ(Key("Main", "3"), "<none>");
  EXPECT_EQ(Key("Main", "a2"), "<none>");
  EXPECT_EQ(Key("Main", "a1"), "B");
  EXPECT_EQ(Key("Main", "Num"), "2");
  EXPECT_EQ(window().actionList.RowCount(), 2);
  // Nothing selected: the button does nothing.
  window().deleteGestureButton.Click();
  EXPECT_EQ(table().gestureCount, 2);
}

// Each writer against a file that refuses writes: the error is shown and the window, the table
// and the current folder still show what the file holds.
TEST_F(SettingsTest, AFailedWriteChangesNothingButTheErrorBox) {
  const std::string ini = "[Main]\nNum=1\n1=0\na0=A\n[Messages]\nNumOfMessages=1\n1=one\n";
  const Point screenCentre{512, 384};
  struct Writer {
    const char* what;
    std::function<void()> act;
    const char* file = ".\\Gesture.ini";  // the name the error names
  };
  const Writer writers[] = {
      {"binding a file",
       [this] {
         // In the current folder: the dialog leaves the current folder at the file's.
         std::string file = world().currentDirectory + "/x.exe";
         std::replace(file.begin(), file.end(), '/', '\\');
         world().dialogAnswers = {file};
         window().actionList.Select(0);
         window().actionList.onDblClick();
       }},
      {"binding a command",
       [this] {
         window().savedCommandBox.SetText("x;/mn;");
         window().actionList.Select(0);
         window().bindMenu.Choose(1);
       }},
      {"adding a saved command",
       [this] {
         window().savedCommandBox.SetText("two");
         window().addCommandButton.Click();
       }},
      {"deleting a saved command",
       [this] {
         window().savedCommandBox.Select(0);
         window().deleteCommandButton.Click();
       }},
      {"finishing a recording",
       [this, screenCentre] {
         world().CursorPath({screenCentre, {screenCentre.x + 50, screenCentre.y}});
         world().AfterPumps(3, [this] { window().frame.onKeyPress(27); });
         window().recordButton.Click();
       }},
      {"placing the start point",
       [this] {
         world().cursor = {400, 300};
         world().AfterPumps(
             3, [this] { window().drawingArea.onMouseUp(platform::MouseButton::Right); });
         window().drawingArea.onMouseUp(platform::MouseButton::Right);
       },
       ".\\gesture.ini"},
  };
  for (const Writer& w : writers) {
    Restart();
    PointWorldAtFolders();
    WriteIni(ini);
    Create();
    const std::string folder = world().currentDirectory;
    world().profileWritesFail = true;
    try {
      w.act();
    } catch (const Error& e) {
      world().errorBoxes.push_back(e.what());
    }
    EXPECT_EQ(world().errorBoxes,
              (std::vector<std::string>{std::string("Unable to write to ") + w.file}))
        << w.what;
    EXPECT_EQ(table().gestureCount, 1) << w.what;
    EXPECT_EQ(window().gestureList.RowCount(), 1) << w.what;
    EXPECT_EQ(window().actionList.RowText(0), "A") << w.what;
    EXPECT_EQ(table().action[0], "A") << w.what;
    EXPECT_EQ(window().savedCommandBox.ItemCount(), 1) << w.what;
    EXPECT_EQ(window().savedCommandKeys, (std::vector<int>{1})) << w.what;
    EXPECT_EQ(state().startPoint, (Point{0, 0})) << w.what;
    EXPECT_EQ(world().currentDirectory, folder) << w.what;
    EXPECT_EQ(ReadIni(), ini) << w.what;
  }
}

TEST_F(SettingsTest, AFailedDeleteChangesNeitherTableNorLists) {
  const std::string ini = "[Main]\nNum=2\n1=0\n2=90\na0=A\na1=B\n";
  WriteIni(ini);
  Create();
  world().profileWritesFail = true;
  window().gestureList.Select(0);
  try {
    window().deleteGestureButton.Click();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unable to write to .\\Gesture.ini");
  }
  EXPECT_EQ(table().gestureCount, 2);
  EXPECT_EQ(table().action[0], "A");
  EXPECT_EQ(window().gestureList.RowCount(), 2);
  EXPECT_EQ(ReadIni(), ini);
}

TEST_F(SettingsTest, AssigningAnActionWritesBesideTheProgram) {
  WriteIni("[Main]\nNum=1\n1=0\n");
  Create();
  AssignAction(window(), 0, "*Max;/mx;", "*Max");
  EXPECT_EQ(table().action[0], "*Max;/mx;");
  EXPECT_EQ(window().actionList.RowText(0), "*Max");
  EXPECT_EQ(ReadIni("program"), "[Main]\r\nA0=*Max;/mx;\r\n");
  EXPECT_EQ(ReadIni(), "[Main]\nNum=1\n1=0\n");
}

TEST_F(SettingsTest, SavedCommandsAreAddedOnceIgnoringLatinCase) {
  WriteIni("[Messages]\nNumOfMessages=1\n1=abc\n");
  Create();
  window().savedCommandBox.SetText("ABC");
  window().addCommandButton.Click();
  EXPECT_EQ(window().savedCommandBox.ItemCount(), 1);
  window().savedCommandBox.SetText("\xC0\xE1\xE2");  // Cyrillic capital, differs only in case
  WriteIni("[Messages]\nNumOfMessages=1\n1=\xE0\xE1\xE2\n");
  window().addCommandButton.Click();
  EXPECT_EQ(window().savedCommandBox.ItemCount(), 2);
  EXPECT_EQ(Key("Messages", "NumOfMessages"), "2");
  EXPECT_EQ(Key("Messages", "2"), "\xC0\xE1\xE2");
}

TEST_F(SettingsTest, DeletingASavedCommandMovesTheLaterOnesUp) {
  WriteIni("[Messages]\nNumOfMessages=3\n1=one\n2=two\n3=three\n");
  Create();
  window().savedCommandBox.Select(1);
  window().deleteCommandButton.Click();
  EXPECT_EQ(Key("Messages", "1"), "one");
  EXPECT_EQ(Key("Messages", "2"), "three");
  EXPECT_EQ(Key("Messages", "3"), "<none>");
  EXPECT_EQ(Key("Messages", "NumOfMessages"), "2");
  EXPECT_EQ(window().savedCommandBox.ItemCount(), 2);
  EXPECT_EQ(window().savedCommandBox.Text(), "");
  window().savedCommandBox.Select(0);
  window().deleteCommandButton.Click();
  EXPECT_EQ(Key("Messages", "1"), "three");
  EXPECT_EQ(Key("Messages", "NumOfMessages"), "1");
}

TEST_F(SettingsTest, AddingNeverOverwritesAHiddenLine) {
  WriteIni("[Messages]\nNumOfMessages=-1\n1=kept\n");
  Create();
  EXPECT_EQ(window().savedCommandBox.ItemCount(), 0);
  window().savedCommandBox.SetText("new");
  window().addCommandButton.Click();
  EXPECT_EQ(Key("Messages", "1"), "kept");
  EXPECT_EQ(Key("Messages", "2"), "new");
  EXPECT_EQ(Key("Messages", "NumOfMessages"), "2");
}

TEST_F(SettingsTest, ClosingWritesHotKeyThenScale) {
  Create();
  window().scaleField.SetText("20");
  WriteClosingSettings(window());
  EXPECT_EQ(Key("Main", "Hotkey"), "");
  EXPECT_EQ(Key("Main", "Scale"), "20");
  window().hotKeyField.SetCode(0x4000 | 0x8000 | 116);
  try {
    window().scaleField.SetText("abc");
    FAIL() << "the change handler must reject the text";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
  // A text that is no whole number keeps the file's scale; closing is not stopped by it.
  EXPECT_NO_THROW(WriteClosingSettings(window()));
  EXPECT_EQ(Key("Main", "Hotkey"), "Ctrl+Alt+F5");
  EXPECT_EQ(Key("Main", "Scale"), "20");
}

// Each writer's keys in the order it writes them.
TEST_F(SettingsTest, EachWriterWritesItsKeysInOrder) {
  using Write = fake::World::ProfileWrite;
  const auto deleted = std::nullopt;
  struct Case {
    const char* writer;
    std::function<void()> act;
    std::vector<Write> writes;
  };
  const Case cases[] = {
      {"finishing a recording",
       [this] {
         world().CursorPath({{world().screen.width / 2 + 60, world().screen.height / 2}});
         world().AfterPumps(3, [this] { window().frame.onKeyPress(27); });
         window().recordButton.Click();
       },
       // The row's leftover action key goes first; the new gesture has none yet.
       {{"Main", "A3", deleted}, {"Main", "4", "0 "}, {"Main", "Num", "4"}}},
      {"adding a saved command",
       [this] {
         window().savedCommandBox.SetText("four");
         window().addCommandButton.Click();
       },
       {{"Messages", "NumOfMessages", "4"}, {"Messages", "4", "four"}}},
      {"closing",
       [this] {
         window().hotKeyField.SetCode(0x4000 | 0x8000 | 116);
         window().scaleField.SetText("20");
         WriteClosingSettings(window());
       },
       {{"Main", "Hotkey", "Ctrl+Alt+F5"}, {"Main", "Scale", "20"}}},
      {"deleting a gesture",
       [this] {
         window().gestureList.Select(0);
         window().deleteGestureButton.Click();
       },
       {{"Main", "1", deleted},
        {"Main", "A0", deleted},
        {"Main", "1", "90"},
        {"Main", "a0", "B"},
        {"Main", "2", "180"},
        {"Main", "a1", "C"},
        {"Main", "3", deleted},
        {"Main", "a2", deleted},
        {"Main", "Num", "2"}}},
      {"deleting a saved command",
       [this] {
         window().savedCommandBox.Select(0);
         window().deleteCommandButton.Click();
       },
       {{"Messages", "1", "two"},
        {"Messages", "2", "three"},
        {"Messages", "3", deleted},
        {"Messages", "NumOfMessages", "2"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.writer);
    Restart();
    PointWorldAtFolders();
    WriteIni(
        "[Main]\nNum=3\n1=0\n2=90\n3=180\na0=A\na1=B\na2=C\nTraceFile=trace.txt\n"
        "[Messages]\nNumOfMessages=3\n1=one\n2=two\n3=three\n");
    Create();
    world().profileWriteLog.clear();
    c.act();
    EXPECT_EQ(world().profileWriteLog, c.writes);
  }
}

TEST_F(SettingsTest, TheScaleFieldNeverKeepsATextThatIsNoNumber) {
  WriteIni("[Main]\nScale=abc\n");
  Create();
  EXPECT_EQ(world().errorBoxes, (std::vector<std::string>{"'abc' is not a valid integer value"}));
  EXPECT_EQ(window().scaleField.Text(), "15");
  EXPECT_EQ(Key("Main", "Scale"), "abc");  // nothing is written until closing

  window().scaleField.SetText("22");
  for (const char* typed : {"-", "+", "1x"}) {
    EXPECT_THROW(window().scaleField.SetText(typed), Error) << typed;
    window().scaleField.onExit();
    EXPECT_EQ(window().scaleField.Text(), "22") << typed;
  }
  // A number out of range is still pulled into 1..30 on leaving.
  window().scaleField.SetText("44");
  window().scaleField.onExit();
  EXPECT_EQ(window().scaleField.Text(), "30");
}

TEST_F(SettingsTest, ANumberlessScaleNeitherStopsClosingNorIsWritten) {
  WriteIni("[Main]\nScale=12\n");
  Create();
  EXPECT_THROW(window().scaleField.SetText("-"), Error);  // typed, the field still has the focus
  EXPECT_THROW(window().frame.Close(), fake::ProcessExit);
  EXPECT_EQ(Key("Main", "Scale"), "12");
  EXPECT_EQ(Key("Main", "Hotkey"), "");
}

TEST_F(SettingsTest, ScaleTextIsNormalised) {
  struct Case {
    const char* typed;
    const char* shown;
  } cases[] = {{"007", "7"}, {"+5", "5"}, {"", "0"}, {"0x10", "16"}, {"-3", "-3"}};
  for (const auto& c : cases) {
    window().scaleField.SetText("1");
    window().scaleField.SetText(c.typed);
    EXPECT_EQ(window().scaleField.Text(), c.shown) << c.typed;
  }
}

}  // namespace
}  // namespace vetrix

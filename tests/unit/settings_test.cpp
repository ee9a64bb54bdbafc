#include "store/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fixture.h"
#include "platform/dispatch.h"
#include "shell/form_create.h"
#include "store/settings_file.h"
#include "text/texts.h"

namespace vetrix {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public testing::FileTest {
 protected:
  std::string Key(const char* section, const char* key, const char* fallback = "<none>") {
    return SettingsFile().ReadString(section, key, fallback);
  }
  void Create() { FormCreate(form()); }
};

TEST_F(SettingsTest, NoFileGivesDefaultsAndCreatesNothing) {
  Create();
  EXPECT_EQ(table().GestureCount, 0);
  EXPECT_EQ(form().List1.RowCount(), 0);
  EXPECT_EQ(form().MSL.ItemCount(), 0);
  EXPECT_FALSE(form().UseLeft.Checked() || form().UseMiddle.Checked() ||
               form().UseRight.Checked() || form().UseMouse.Checked());
  EXPECT_FALSE(form().CB.Checked() || form().CB2.Checked());
  EXPECT_EQ(state().StartPoint, (Point{0, 0}));
  EXPECT_EQ(form().SE.Text(), "15");
  EXPECT_TRUE(state().Stopped);
  EXPECT_FALSE(state().OneShot);
  std::string folder = (root_ / "program").string() + "/";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  EXPECT_EQ(state().ExeDirectory, folder);
  EXPECT_EQ(world().tray.calls, (std::vector<std::string>{"add"}));
  EXPECT_FALSE(fs::exists(Ini()));
  EXPECT_EQ(state().DrawingRect.right, 209);
  EXPECT_EQ(state().DrawingRect.bottom, 281);
}

TEST_F(SettingsTest, GesturesLoadWithActionsAndDisplayTexts) {
  WriteIni("[Main]\nNum=3\n1=0 90\n2=180\nA0=C:\\t\\a.bat\n3=270 0\na2=*Max;/mx;\n");
  Create();
  ASSERT_EQ(table().GestureCount, 3);
  EXPECT_EQ(table().SegmentCount[0], 2);
  EXPECT_EQ(table().Angles[0][1], 90);
  EXPECT_EQ(table().SegmentCount[1], 1);
  EXPECT_EQ(table().Action[0], "C:\\t\\a.bat");
  EXPECT_EQ(table().Action[1], "");
  EXPECT_EQ(form().List1.RowText(2), "2");
  EXPECT_EQ(form().List2.RowText(0), "C:\\t\\a.bat");
  EXPECT_EQ(form().List2.RowText(1), "");
  EXPECT_EQ(form().List2.RowText(2), "*Max");
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
    MainForm f;
    WriteIni(c.ini);
    FormCreate(f);
    EXPECT_EQ(f.UseLeft.Checked(), c.left) << c.ini;
    EXPECT_EQ(f.UseMiddle.Checked(), c.middle) << c.ini;
    EXPECT_EQ(f.UseRight.Checked(), c.right) << c.ini;
    EXPECT_EQ(f.UseMouse.Checked(), c.mouse) << c.ini;
    EXPECT_EQ(f.CB.Checked(), c.hotKeyMode) << c.ini;
    EXPECT_EQ(f.s.OneShot, c.hotKeyMode) << c.ini;
    EXPECT_EQ(f.CB2.Checked(), c.exact) << c.ini;
    EXPECT_TRUE(f.s.Stopped) << c.ini;
    EXPECT_EQ(f.Button1.Caption(), texts::kStart.view()) << c.ini;
  }
}

TEST_F(SettingsTest, OptionHandlersWriteTheirValuesBack) {
  WriteIni("[Main]\nMB=0x3\nUM=2\nHK=yes\nHotkey=alt+ctrl+f5\nx2=40\ny2=-7\nScale=007\n");
  Create();
  EXPECT_EQ(Key("Main", "MB"), "3");
  EXPECT_EQ(Key("Main", "UM"), "1");
  EXPECT_EQ(Key("Main", "HK"), "yes");
  EXPECT_EQ(state().ButtonMessages[0], 516);
  EXPECT_EQ(state().ButtonMessages[3], 165);
  EXPECT_EQ(form().HK.Code(), 0x4000 | 0x8000 | 116);
  EXPECT_EQ(state().StartPoint, (Point{40, -7}));
  EXPECT_EQ(form().SE.Text(), "7");
  // The scale reaches the file only when the program closes.
  EXPECT_EQ(Key("Main", "Scale"), "007");
}

TEST_F(SettingsTest, LoadingDoesNotRewriteTheFile) {
  const std::string ini =
      "[Main]\nNum=2\n1=0 90\n2=180\na0=x\nMB=2\n[Messages]\nNumOfMessages=1\n1=*a;\n";
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
  EXPECT_EQ(table().GestureCount, kMaxGestures);
  EXPECT_EQ(form().List1.RowCount(), kMaxGestures);
  EXPECT_EQ(table().SegmentCount[0], 1);

  fake::ResetWorld();
  PointWorldAtFolders();
  MainForm negative;
  WriteIni("[Main]\nNum=-5\n1=0\n2=" + longList + "\n");
  FormCreate(negative);
  EXPECT_EQ(negative.s.table.GestureCount, 0);
  EXPECT_EQ(negative.List1.RowCount(), 0);
}

TEST_F(SettingsTest, LongAngleListsStopAtTheRow) {
  std::string list;
  for (int i = 0; i < 300; ++i) list += std::to_string(i % 12 * 30) + " ";
  WriteIni("[Main]\nNum=2\n1=" + list + "\n2=90\n");
  Create();
  EXPECT_EQ(table().SegmentCount[0], kMaxSegments);
  EXPECT_EQ(table().Angles[0][100], 100 % 12 * 30);
  EXPECT_EQ(table().Angles[1][0], 90);
}

TEST_F(SettingsTest, ABrokenEntryIsReportedAndKeepsItsPlace) {
  WriteIni("[Main]\nNum=4\n1=0\n2=0  90\na1=C:\\b.bat\n3=\n4=180\na3=C:\\d.bat\n");
  Create();
  EXPECT_EQ(world().errorBoxes, (std::vector<std::string>{"'' is not a valid integer value"}));
  ASSERT_EQ(table().GestureCount, 4);
  EXPECT_EQ(table().SegmentCount[0], 1);
  EXPECT_EQ(table().SegmentCount[1], 0);  // broken: no strokes, so it never fires
  EXPECT_EQ(table().SegmentCount[2], 0);  // empty list: no strokes either
  EXPECT_EQ(table().SegmentCount[3], 1);
  EXPECT_EQ(table().Angles[3][0], 180);
  // Rows stay table indices.
  ASSERT_EQ(form().List2.RowCount(), 4);
  EXPECT_EQ(form().List2.RowText(1), "C:\\b.bat");
  EXPECT_EQ(form().List2.RowText(3), "C:\\d.bat");
}

TEST_F(SettingsTest, SavedCommandsSkipGapsAndSurviveHugeCounts) {
  WriteIni("[Messages]\nNumOfMessages=3\n1=*a;\n3=*c;\n7=*g;\n");
  Create();
  ASSERT_EQ(form().MSL.ItemCount(), 2);
  EXPECT_EQ(form().MSL.ItemText(1), "*c;");

  fake::ResetWorld();
  PointWorldAtFolders();
  MainForm huge;
  WriteIni("[Messages]\nNumOfMessages=2147483647\n2=two\n01=not a number key\n5=five\n");
  FormCreate(huge);
  ASSERT_EQ(huge.MSL.ItemCount(), 2);
  EXPECT_EQ(huge.MSL.ItemText(0), "two");
  EXPECT_EQ(huge.MSL.ItemText(1), "five");
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
  form().List1.Select(0);
  form().Button3.Click();
  EXPECT_EQ(Key("Main", "1"), "90");
  EXPECT_EQ(Key("Main", "2"), "180");
  EXPECT_EQ(Key("Main", "3"), "<none>");
  EXPECT_EQ(Key("Main", "a0"), "B");
  EXPECT_EQ(Key("Main", "a1"), "C");
  EXPECT_EQ(Key("Main", "a2"), "<none>");
  EXPECT_EQ(Key("Main", "Num"), "2");
  EXPECT_EQ(table().GestureCount, 2);
  EXPECT_EQ(table().Action[0], "B");
  EXPECT_EQ(table().Angles[1][0], 180);
  EXPECT_EQ(form().List1.RowCount(), 2);
  EXPECT_EQ(form().List1.RowText(0), "0");
  EXPECT_EQ(form().List1.RowText(1), "1");
  EXPECT_EQ(form().List2.RowText(0), "B");
  EXPECT_EQ(form().List1.Selected(), -1);
}

TEST_F(SettingsTest, DeletingTheLastOfThreeMovesNothing) {
  WriteIni("[Main]\nNum=3\n1=0\n2=90\n3=180\na0=A\na1=B\na2=C\n");
  Create();
  form().List1.Select(2);
  form().Button3.Click();
  EXPECT_EQ(Key("Main", "1"), "0");
  EXPECT_EQ(Key("Main", "2"), "90");
  EXPECT_EQ(Key("Main", "3"), "<none>");
  EXPECT_EQ(Key("Main", "a2"), "<none>");
  EXPECT_EQ(Key("Main", "a1"), "B");
  EXPECT_EQ(Key("Main", "Num"), "2");
  EXPECT_EQ(form().List2.RowCount(), 2);
  // Nothing selected: the button does nothing.
  form().Button3.Click();
  EXPECT_EQ(table().GestureCount, 2);
}

TEST_F(SettingsTest, AFailedDeleteChangesNeitherTableNorLists) {
  const std::string ini = "[Main]\nNum=2\n1=0\n2=90\na0=A\na1=B\n";
  WriteIni(ini);
  Create();
  world().profileWritesFail = true;
  form().List1.Select(0);
  try {
    form().Button3.Click();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unable to write to .\\Gesture.ini");
  }
  EXPECT_EQ(table().GestureCount, 2);
  EXPECT_EQ(table().Action[0], "A");
  EXPECT_EQ(form().List1.RowCount(), 2);
  EXPECT_EQ(ReadIni(), ini);
}

TEST_F(SettingsTest, AssigningAnActionWritesBesideTheProgram) {
  WriteIni("[Main]\nNum=1\n1=0\n");
  Create();
  AssignAction(form(), 0, "*Max;/mx;", "*Max");
  EXPECT_EQ(table().Action[0], "*Max;/mx;");
  EXPECT_EQ(form().List2.RowText(0), "*Max");
  EXPECT_EQ(ReadIni("program"), "[Main]\r\nA0=*Max;/mx;\r\n");
  EXPECT_EQ(ReadIni(), "[Main]\nNum=1\n1=0\n");
}

TEST_F(SettingsTest, SavedCommandsAreAddedOnceIgnoringLatinCase) {
  WriteIni("[Messages]\nNumOfMessages=1\n1=abc\n");
  Create();
  form().MSL.SetText("ABC");
  form().Button5.Click();
  EXPECT_EQ(form().MSL.ItemCount(), 1);
  form().MSL.SetText("\xC0\xE1\xE2");  // Cyrillic capital, differs only in case
  WriteIni("[Messages]\nNumOfMessages=1\n1=\xE0\xE1\xE2\n");
  form().Button5.Click();
  EXPECT_EQ(form().MSL.ItemCount(), 2);
  EXPECT_EQ(Key("Messages", "NumOfMessages"), "2");
  EXPECT_EQ(Key("Messages", "2"), "\xC0\xE1\xE2");
}

TEST_F(SettingsTest, DeletingASavedCommandMovesTheLaterOnesUp) {
  WriteIni("[Messages]\nNumOfMessages=3\n1=one\n2=two\n3=three\n");
  Create();
  form().MSL.Select(1);
  form().Button6.Click();
  EXPECT_EQ(Key("Messages", "1"), "one");
  EXPECT_EQ(Key("Messages", "2"), "three");
  EXPECT_EQ(Key("Messages", "3"), "<none>");
  EXPECT_EQ(Key("Messages", "NumOfMessages"), "2");
  EXPECT_EQ(form().MSL.ItemCount(), 2);
  EXPECT_EQ(form().MSL.Text(), "");
  form().MSL.Select(0);
  form().Button6.Click();
  EXPECT_EQ(Key("Messages", "1"), "three");
  EXPECT_EQ(Key("Messages", "NumOfMessages"), "1");
}

TEST_F(SettingsTest, AddingNeverOverwritesAHiddenLine) {
  WriteIni("[Messages]\nNumOfMessages=-1\n1=kept\n");
  Create();
  EXPECT_EQ(form().MSL.ItemCount(), 0);
  form().MSL.SetText("new");
  form().Button5.Click();
  EXPECT_EQ(Key("Messages", "1"), "kept");
  EXPECT_EQ(Key("Messages", "2"), "new");
  EXPECT_EQ(Key("Messages", "NumOfMessages"), "2");
}

TEST_F(SettingsTest, ClosingWritesHotKeyThenScale) {
  Create();
  form().SE.SetText("20");
  WriteClosingSettings(form());
  EXPECT_EQ(Key("Main", "Hotkey"), "");
  EXPECT_EQ(Key("Main", "Scale"), "20");
  form().HK.SetCode(0x4000 | 0x8000 | 116);
  try {
    form().SE.SetText("abc");
    FAIL() << "the change handler must reject the text";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
  EXPECT_THROW(WriteClosingSettings(form()), Error);
  EXPECT_EQ(Key("Main", "Hotkey"), "Ctrl+Alt+F5");
  EXPECT_EQ(Key("Main", "Scale"), "20");
}

TEST_F(SettingsTest, ScaleTextIsNormalised) {
  struct Case {
    const char* typed;
    const char* shown;
  } cases[] = {{"007", "7"}, {"+5", "5"}, {"", "0"}, {"0x10", "16"}, {"-3", "-3"}};
  for (const auto& c : cases) {
    form().SE.SetText("1");
    form().SE.SetText(c.typed);
    EXPECT_EQ(form().SE.Text(), c.shown) << c.typed;
  }
}

}  // namespace
}  // namespace vetrix

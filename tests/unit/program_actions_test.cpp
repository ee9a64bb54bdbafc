#include "store/program_actions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/cp1251.h"
#include "base/dpi.h"
#include "base/error.h"
#include "base/texts.h"
#include "fixture.h"
#include "recognition/recognition.h"
#include "recognition/watcher.h"
#include "shell/program_action_editing.h"
#include "shell/startup.h"
#include "store/settings_file.h"
#include "window/program_actions_dialog.h"

namespace vetrix {
namespace {

class ProgramActionsTest : public testing::FileTest {
 protected:
  void Create() { OnCreate(window()); }

  // Draws right then up with `program` in front, as one attempt of a run; returns the files
  // opened.
  std::vector<std::string> DrawRightUp(const std::string& program) {
    world().foreground.program = program;
    world().shellCalls.clear();
    state().anchorPoint = {500, 400};
    bool anyStarted = false;
    for (Point at : {Point{530, 400}, Point{530, 370}}) {
      world().cursor = at;
      RecognitionStep(window(), anyStarted);
    }
    ResetProgressForNextAttempt();
    std::vector<std::string> opened;
    for (const fake::ShellCall& call : world().shellCalls) opened.push_back(call.file);
    return opened;
  }
  void ResetProgressForNextAttempt() { DropMatchingAttempts(window()); }

  std::string Key(const std::string& section, const char* key) {
    return SettingsFile().ReadString(section, key, "<none>");
  }
  using Opened = std::vector<std::string>;
};

TEST_F(ProgramActionsTest, TheProgramInFrontChoosesTheAction) {
  WriteIni(
      "[Main]\nNum=3\n1=0 90\na0=C:\\default.bat\n2=180\n3=270\n"
      "[Program:notepad.exe]\na0=C:\\notepad.bat\n"
      "[program:C:\\Games\\Game.EXE]\nA0=\n"
      "[Program:calc.exe]\n");
  Create();
  ASSERT_EQ(state().programActions.size(), 3u);
  // Its own action; a program named by a full path and in other letters; one without any.
  EXPECT_EQ(DrawRightUp("NOTEPAD.EXE"), Opened{"C:\\notepad.bat"});
  EXPECT_EQ(DrawRightUp("game.exe"), Opened{});
  EXPECT_EQ(DrawRightUp("calc.exe"), Opened{"C:\\default.bat"});
  EXPECT_EQ(DrawRightUp(""), Opened{"C:\\default.bat"});
  // The tip names the program whose own action ran.
  ASSERT_EQ(world().tips.size(), 3u);
  EXPECT_EQ(world().tips[0].text, "notepad.bat (notepad.exe)");
  EXPECT_EQ(world().tips[1].text, "default.bat");
  EXPECT_EQ(world().foregroundProgramLookups, 4);
}

TEST_F(ProgramActionsTest, AGestureWithoutActionFiresOnlyWhereItHasOne) {
  WriteIni(
      "[Main]\nNum=1\n1=0 90\n"
      "[Program:\xC1\xEB\xEE\xEA\xED\xEE\xF2.exe]\na0=*\xCA\xEE\xEF\xE8\xF0\xEE\xE2\xE0\xF2\xFC;"
      "/mn;\n");
  Create();
  std::vector<Firing> fired;
  Watch(window(), std::make_unique<FiringWatcher>([&](const Firing& f) { fired.push_back(f); }));
  // Cyrillic names compare without case, as file names do.
  DrawRightUp("\xE1\xEB\xEE\xEA\xED\xEE\xF2.EXE");
  DrawRightUp("other.exe");
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].row, 0);
  EXPECT_EQ(fired[0].program, "\xC1\xEB\xEE\xEA\xED\xEE\xF2.exe");
  EXPECT_EQ(world().windowCommands.size(), 1u);
}

TEST_F(ProgramActionsTest, WhereTheGestureDoesNothingItIsDoneWith) {
  // Nothing of its own in one program, in the other; no action of its own in the second.
  for (const char* ini : {"[Main]\nNum=1\n1=0 90\na0=C:\\a.bat\n[Program:quiet.exe]\na0=\n",
                          "[Main]\nNum=1\n1=0 90\n[Program:ed.exe]\na0=C:\\ed.bat\n"}) {
    Restart();
    PointWorldAtFolders();
    WriteIni(ini);
    Create();
    world().foreground.program = "quiet.exe";
    state().anchorPoint = {500, 400};
    bool anyStarted = false;
    for (Point at : {Point{530, 400}, Point{530, 370}, Point{530, 370}}) {
      world().cursor = at;
      RecognitionStep(window(), anyStarted);
    }
    // Another program comes to the front while the pointer rests: the gesture was drawn where
    // it does nothing, and nothing fires.
    world().foreground.program = "ed.exe";
    RecognitionStep(window(), anyStarted);
    EXPECT_TRUE(world().shellCalls.empty()) << ini;
    EXPECT_EQ(world().foregroundProgramLookups, 1) << ini;
  }
}

TEST_F(ProgramActionsTest, WithoutProgramSectionsNothingIsAsked) {
  WriteIni("[Main]\nNum=2\n1=0 90\na0=C:\\a.bat\n2=180\n[Exclude]\n1=game.exe\n");
  Create();
  EXPECT_TRUE(state().programActions.empty());
  EXPECT_EQ(DrawRightUp("notepad.exe"), Opened{"C:\\a.bat"});
  EXPECT_EQ(world().foregroundProgramLookups, 0);

  // With sections that name other rows, this gesture fires without asking either.
  Restart();
  PointWorldAtFolders();
  WriteIni("[Main]\nNum=2\n1=0 90\na0=C:\\a.bat\n2=180\n[Program:x.exe]\na1=C:\\x.bat\n");
  Create();
  EXPECT_EQ(DrawRightUp("x.exe"), Opened{"C:\\a.bat"});
  EXPECT_EQ(world().foregroundProgramLookups, 0);
}

TEST_F(ProgramActionsTest, HostileSectionsAndKeysStayInsideTheTable) {
  std::string ini = "[Main]\nNum=2\n1=0 90\n2=180\n";
  ini += "[Program:]\na0=x\n[Program:C:\\dir\\]\na0=x\n[Programs:a.exe]\na0=x\n";
  ini +=
      "[Program:a.exe]\na1=first\na1=second\na01=x\na101=x\na-1=x\nb0=x\n"
      "a99999999999999999999=x\na0=" +
      std::string(5000, 'v') + "\n";
  ini += "[Program:A.EXE]\na0=duplicate\n";
  for (int i = 0; i < 300; ++i) ini += "[Program:p" + std::to_string(i) + ".exe]\na0=C:\\p.bat\n";
  WriteIni(ini);
  Create();
  const ProgramActionTable& programs = state().programActions;
  // The first 256 program sections count: a.exe twice, then p0 to p253.
  ASSERT_EQ(programs.size(), 255u);
  EXPECT_EQ(programs[0].program, "a.exe");
  ASSERT_EQ(programs[0].actions.size(), 2u);
  EXPECT_EQ(programs[0].actions[0].row, 0);
  EXPECT_EQ(programs[0].actions[0].action.size(), 2047u);
  EXPECT_EQ(*programs[0].Find(1), "first");
  EXPECT_EQ(programs.back().program, "p253.exe");
  EXPECT_EQ(DrawRightUp("p253.exe"), Opened{"C:\\p.bat"});
  EXPECT_EQ(DrawRightUp("p254.exe"), Opened{});
}

// The attempt trace names the program in front as each attempt began, only where programs have
// actions of their own.
TEST_F(ProgramActionsTest, TheTraceNamesTheProgramInFront) {
  for (const bool sections : {true, false}) {
    SCOPED_TRACE(sections);
    Restart();
    PointWorldAtFolders();
    WriteIni(std::string("[Main]\nNum=1\n1=0 90\na0=C:\\a.bat\nTraceFile=trace.txt\n") +
             (sections ? "[Program:x.exe]\na0=\n" : ""));
    Create();
    world().foreground.program = "Notepad.exe";
    world().cursor = {500, 400};
    world().FollowTrack({{50, {530, 400}}, {100, {530, 370}}});
    world().At(1000, [this] { window().startButton.Click(); });
    window().startButton.Click();
    const std::string* trace = world().FileBytes("/Vetrix/work/trace.txt");
    ASSERT_NE(trace, nullptr);
    EXPECT_EQ(trace->substr(0, trace->find("\r\n")),
              std::string("# attempt 2026-12-08 14:03:00, continuous, fired row 0") +
                  (sections ? ", program Notepad.exe" : ""));
  }
}

TEST_F(ProgramActionsTest, SectionNamesAndKeys) {
  EXPECT_EQ(ProgramSection("notepad.exe"), "Program:notepad.exe");
  EXPECT_EQ(ProgramOfSection("PROGRAM:C:\\Windows\\notepad.exe"), "notepad.exe");
  EXPECT_EQ(ProgramOfSection("Program:"), std::nullopt);
  EXPECT_EQ(ProgramOfSection("Main"), std::nullopt);
  EXPECT_EQ(ProgramOfSection("Program:" + std::string(256, 'x')), std::nullopt);
  EXPECT_EQ(ActionKeyRow("A100"), 100);
  EXPECT_EQ(ActionKeyRow("a0"), 0);
  for (const char* key : {"a", "a101", "a01", "a-1", "a+1", "b1", "a1x", "1"})
    EXPECT_EQ(ActionKeyRow(key), std::nullopt) << key;
}

// After the file's own renumbering, each program's keys move down the same way; a row that had
// no key of its own gets none (an empty one would mean "nothing here").
TEST_F(ProgramActionsTest, DeletingAGestureRenumbersEveryProgramsKeys) {
  using Write = fake::World::ProfileWrite;
  const auto deleted = std::nullopt;
  WriteIni(
      "[Main]\nNum=4\n1=0\n2=90\n3=180\n4=270\na0=A\na1=B\na2=C\na3=D\n"
      "[Program:x.exe]\na0=x0\na2=x2\na3=\n"
      "[Program:y.exe]\na3=y3\n"
      "[Program:z.exe]\na0=z0\n");
  Create();
  world().profileWriteLog.clear();
  window().gestureList.Select(1);
  window().deleteGestureButton.Click();
  const std::vector<Write> programWrites(world().profileWriteLog.begin() + 9,
                                         world().profileWriteLog.end());
  EXPECT_EQ(world().profileWriteLog[8], (Write{"Main", "Num", "3"}));
  EXPECT_EQ(programWrites, (std::vector<Write>{{"Program:x.exe", "a1", "x2"},
                                               {"Program:x.exe", "a2", ""},
                                               {"Program:x.exe", "a3", deleted},
                                               {"Program:y.exe", "a2", "y3"},
                                               {"Program:y.exe", "a3", deleted}}));
  EXPECT_EQ(Key("Program:x.exe", "a0"), "x0");
  EXPECT_EQ(Key("Program:x.exe", "a1"), "x2");
  EXPECT_EQ(Key("Program:x.exe", "a2"), "");
  EXPECT_EQ(Key("Program:x.exe", "a3"), "<none>");
  EXPECT_EQ(Key("Program:y.exe", "a2"), "y3");
  EXPECT_EQ(Key("Program:y.exe", "a3"), "<none>");
  // The table follows the file.
  const ProgramActionTable& programs = state().programActions;
  EXPECT_EQ(*programs[0].Find(1), "x2");
  EXPECT_EQ(*programs[0].Find(2), "");
  EXPECT_EQ(programs[0].Find(3), nullptr);
  EXPECT_EQ(*programs[1].Find(2), "y3");
  EXPECT_EQ(*programs[2].Find(0), "z0");

  // Deleting the gesture that a program names removes its key, and nothing else moves.
  world().profileWriteLog.clear();
  window().gestureList.Select(2);
  window().deleteGestureButton.Click();
  const std::vector<Write> last(world().profileWriteLog.begin() + 5, world().profileWriteLog.end());
  EXPECT_EQ(last, (std::vector<Write>{{"Program:x.exe", "A2", deleted},
                                      {"Program:y.exe", "A2", deleted}}));
  EXPECT_EQ(programs[0].actions.size(), 2u);
  EXPECT_TRUE(programs[1].actions.empty());
}

// What the window will bind to: each change written beside the program, then kept in the table;
// a failed write changes neither the table nor the current folder.
TEST_F(ProgramActionsTest, SettingAndRemovingAProgramsAction) {
  using Write = fake::World::ProfileWrite;
  WriteIni("[Main]\nNum=2\n1=0 90\na0=C:\\default.bat\n2=180\n[Program:a.exe]\na1=C:\\a1.bat\n");
  Create();
  const std::string loaded = world().currentDirectory;
  world().profileWriteLog.clear();
  SetProgramAction(window(), 0, "C:\\Tools\\Notepad.exe", "*Copy;*c;");
  SetProgramAction(window(), 0, "A.EXE", "");
  SetProgramAction(window(), 5, "a.exe", "x");      // no such gesture
  SetProgramAction(window(), 0, "C:\\dir\\", "x");  // no program
  EXPECT_EQ(world().profileWriteLog, (std::vector<Write>{{"Program:Notepad.exe", "A0", "*Copy;*c;"},
                                                         {"Program:a.exe", "A0", ""}}));
  EXPECT_EQ(ReadIni("program"),
            "[Program:Notepad.exe]\r\nA0=*Copy;*c;\r\n[Program:a.exe]\r\nA0=\r\n");
  EXPECT_EQ(DrawRightUp("notepad.exe"), Opened{});
  EXPECT_EQ(world().windowCommands.size(), 0u);
  EXPECT_EQ(world().keyEvents.size(), 2u) << "the script's own keys";
  EXPECT_EQ(DrawRightUp("a.exe"), Opened{});
  EXPECT_EQ(DrawRightUp("b.exe"), Opened{"C:\\default.bat"});

  RemoveProgramAction(window(), 0, "a.exe");
  RemoveProgramAction(window(), 0, "none.exe");
  EXPECT_EQ(world().profileWriteLog.back(), (Write{"Program:a.exe", "A0", std::nullopt}));
  EXPECT_EQ(DrawRightUp("a.exe"), Opened{"C:\\default.bat"});

  world().profileWritesFail = true;
  world().currentDirectory = loaded;
  EXPECT_THROW(SetProgramAction(window(), 1, "new.exe", "x"), Error);
  EXPECT_THROW(RemoveProgramAction(window(), 1, "a.exe"), Error);
  EXPECT_EQ(world().currentDirectory, loaded);
  EXPECT_EQ(FindProgram(state().programActions, "new.exe"), nullptr);
  EXPECT_EQ(*FindProgram(state().programActions, "a.exe")->Find(1), "C:\\a1.bat");
}

// Without a program's section the action list's menu is the one it always was; Shift, or a
// section in the file, adds the window of actions per program.
TEST_F(ProgramActionsTest, TheMenuOffersTheWindowOnlyWithSectionsOrShift) {
  const auto captions = [this] {
    std::vector<std::string> c;
    for (int i = 0; i < window().bindMenu.ItemCount(); ++i)
      c.push_back(window().bindMenu.ItemCaption(i));
    return c;
  };
  const std::vector<std::string> plain{"\xD4\xE0\xE9\xEB", "\xCA\xEE\xEC\xE0\xED\xE4\xE0"};
  WriteIni("[Main]\nNum=1\n1=0\na0=C:\\a.bat\n[Exclude]\n1=game.exe\n");
  Create();
  window().actionList.Select(0);
  EXPECT_EQ(captions(), plain);
  window().bindMenu.Choose(2);
  EXPECT_EQ(window().programActionsDialog, nullptr);
  world().shiftHeld = true;
  EXPECT_EQ(captions().size(), 3u);
  EXPECT_EQ(captions()[2], texts::kInPrograms.str());
  world().shiftHeld = false;

  Restart();
  PointWorldAtFolders();
  WriteIni("[Main]\nNum=1\n1=0\na0=C:\\a.bat\n[Program:ed.exe]\n");
  Create();
  EXPECT_EQ(captions().size(), 3u);
}

// The window as a user drives it: a program from those with a window, a file, a command,
// nothing, removal, one found by browsing; after each the file holds what the rows show.
TEST_F(ProgramActionsTest, TheWindowLaysItselfOutAgainOnAMonitorOfAnotherScale) {
  WriteIni("[Main]\nNum=1\n1=0\na0=C:\\a.bat\n[Program:ed.exe]\na0=C:\\e.bat\n");
  Create();
  world().monitors.push_back({{1024, 0, 2560, 1440}, 192});
  window().actionList.Select(0);
  window().bindMenu.Choose(2);
  ASSERT_NE(window().programActionsDialog, nullptr);
  ProgramActionsDialog& d = *window().programActionsDialog;
  world().DragWindow({1400, 100});
  ASSERT_EQ(d.frame.Dpi(), 192);
  const WindowGeometry g = d.frame.Geometry();
  for (const auto& [control, designed] :
       {std::pair{d.programList.Bounds(), kProgramActionsLayout.programList},
        {d.programBox.Bounds(), kProgramActionsLayout.programBox},
        {d.closeButton.Bounds(), kProgramActionsLayout.closeButton}}) {
    EXPECT_EQ(control, Scaled(designed, 192));
    EXPECT_LE(control.left + control.width, g.clientWidth);
    EXPECT_LE(control.top + control.height, g.clientHeight);
  }
}

TEST_F(ProgramActionsTest, TheWindowEditsWhatTheFileHolds) {
  WriteIni(
      "[Main]\nNum=2\n1=0\na0=C:\\a.bat\n2=90\na1=C:\\b.bat\n[Program:ed.exe]\na0=C:\\e.bat\n");
  Create();
  world().visiblePrograms = {{"notepad.exe", {"C:\\Windows\\notepad.exe"}},
                             {"calc.exe", {"C:\\Windows\\calc.exe"}}};
  window().actionList.Select(1);
  window().bindMenu.Choose(2);
  ASSERT_NE(window().programActionsDialog, nullptr);
  ProgramActionsDialog& d = *window().programActionsDialog;
  EXPECT_TRUE(d.frame.Visible());
  EXPECT_EQ(d.frame.Title(), texts::kGestureTitle.str() + "1" + texts::kInProgramsTitle.str());
  EXPECT_EQ(d.programList.RowCount(), 0) << "ed.exe has its own action for gesture 0 only";
  ASSERT_EQ(d.programBox.ItemCount(), 2);
  const auto rows = [&d] {
    std::vector<std::string> r;
    for (int i = 0; i < d.programList.RowCount(); ++i) r.push_back(d.programList.RowText(i));
    return r;
  };
  const std::string nothing = texts::kProgramRowSeparator.str() + texts::kNothing.str();

  d.programBox.Select(1);
  d.addButton.Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"calc.exe" + nothing}));
  EXPECT_EQ(d.programList.Selected(), 0);
  // Written beside the program, as every binding is.
  EXPECT_EQ(ReadIni("program"), "[Program:calc.exe]\r\nA1=\r\n");

  world().dialogAnswers = {"C:\\Tools\\sum.exe"};
  d.fileButton.Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"calc.exe: C:\\Tools\\sum.exe"}));
  EXPECT_EQ(ReadIni("program"), "[Program:calc.exe]\r\nA1=C:\\Tools\\sum.exe\r\n");

  window().savedCommandBox.SetText("Copy;*c;");
  d.commandButton.Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"calc.exe: *Copy"}));
  EXPECT_EQ(ReadIni("program"), "[Program:calc.exe]\r\nA1=*Copy;*c;\r\n");
  EXPECT_EQ(DrawRightUp("CALC.EXE"), Opened{"C:\\a.bat"});  // gesture 0 stays as it was
  EXPECT_EQ(*FindProgram(state().programActions, "calc.exe")->Find(1), "*Copy;*c;");

  d.nothingButton.Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"calc.exe" + nothing}));
  EXPECT_EQ(ReadIni("program"), "[Program:calc.exe]\r\nA1=\r\n");

  // A typed name, and one found by browsing: each its own row; one already there is only
  // selected.
  d.programBox.SetText("  Notepad.exe ");
  d.addButton.Click();
  world().dialogAnswers = {"D:\\Games\\calc.exe", "D:\\Games\\Game.exe"};
  d.browseButton.Click();
  EXPECT_EQ(d.programList.Selected(), 0);
  d.browseButton.Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"calc.exe" + nothing, "Notepad.exe" + nothing,
                                              "Game.exe" + nothing}));
  EXPECT_EQ(d.programList.Selected(), 2);

  d.programList.Select(0);
  d.removeButton.Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"Notepad.exe" + nothing, "Game.exe" + nothing}));
  EXPECT_EQ(d.programList.Selected(), 0);
  EXPECT_EQ(ReadIni("program"),
            "[Program:calc.exe]\r\n[Program:Notepad.exe]\r\nA1=\r\n"
            "[Program:Game.exe]\r\nA1=\r\n");

  // Esc and the close box close it; deleting a gesture closes it too.
  d.frame.Close();
  EXPECT_FALSE(d.frame.Visible());
  window().bindMenu.Choose(2);
  ProgramActionsDialog& again = *window().programActionsDialog;
  EXPECT_EQ(again.programList.RowCount(), 2);
  window().gestureList.Select(0);
  window().deleteGestureButton.Click();
  EXPECT_FALSE(again.frame.Visible());
}

}  // namespace
}  // namespace vetrix

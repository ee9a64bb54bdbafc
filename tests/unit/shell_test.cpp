// The main window's life: layout, first activation, tray, closing, binding actions.
#include <gtest/gtest.h>

#include <functional>

#include "base/texts.h"
#include "fixture.h"
#include "platform/handler.h"
#include "shell/layout.h"
#include "shell/startup.h"
#include "shell/tray.h"
#include "store/settings_file.h"

namespace vetrix {
namespace {

using vetrix::Rect;

class ShellTest : public testing::FileTest {
 protected:
  void Start() {
    OnCreate(window());
    window().frame.ShowCentered();
  }
  std::string Key(const char* key) { return SettingsFile().ReadString("Main", key, "<none>"); }
};

TEST_F(ShellTest, WiderAndTallerWindowsMoveAndGrowTheRightControls) {
  Start();
  auto& f = window();
  const Rect image = f.drawingArea.Bounds(), list1 = f.gestureList.Bounds(),
             list2 = f.actionList.Bounds(), b1 = f.startButton.Bounds(),
             b3 = f.deleteGestureButton.Bounds(), b4 = f.hideButton.Bounds(),
             b5 = f.addCommandButton.Bounds(), b6 = f.deleteCommandButton.Bounds(),
             gb = f.mouseGroup.Bounds(), msl = f.savedCommandBox.Bounds(),
             se = f.scaleField.Bounds(), hk = f.hotKeyField.Bounds(), cb = f.hotKeyModeBox.Bounds(),
             cb2 = f.exactModeBox.Bounds();
  const WindowGeometry g = f.frame.Geometry();
  f.frame.Resize(g.width + 100, g.height);
  EXPECT_EQ(f.drawingArea.Bounds(), (Rect{image.left, image.top, image.width + 100, image.height}));
  EXPECT_EQ(f.gestureList.Bounds(), (Rect{list1.left + 100, list1.top, list1.width, list1.height}));
  EXPECT_EQ(f.actionList.Bounds().left, list2.left + 100);
  EXPECT_EQ(f.deleteGestureButton.Bounds().left, b3.left + 100);
  EXPECT_EQ(f.hideButton.Bounds().left, b4.left + 100);
  EXPECT_EQ(f.addCommandButton.Bounds().left, b5.left + 100);
  EXPECT_EQ(f.deleteCommandButton.Bounds().left, b6.left + 100);
  EXPECT_EQ(f.mouseGroup.Bounds().left, gb.left + 100);
  EXPECT_EQ(f.savedCommandBox.Bounds().width, msl.width + 100);
  EXPECT_EQ(f.startButton.Bounds(), b1);
  EXPECT_EQ(f.scaleField.Bounds(), se);
  EXPECT_EQ(f.hotKeyField.Bounds(), hk);
  EXPECT_EQ(f.hotKeyModeBox.Bounds(), cb);
  EXPECT_EQ(f.exactModeBox.Bounds(), cb2);

  f.frame.Resize(g.width + 100, g.height + 50);
  EXPECT_EQ(f.drawingArea.Bounds().height, image.height + 50);
  EXPECT_EQ(f.actionList.Bounds().height, list2.height + 50);
  for (auto [now, before] : {std::pair{f.startButton.Bounds(), b1},
                             {f.hideButton.Bounds(), b4},
                             {f.scaleField.Bounds(), se},
                             {f.hotKeyField.Bounds(), hk},
                             {f.exactModeBox.Bounds(), cb2},
                             {f.savedCommandBox.Bounds(), msl},
                             {f.deleteCommandButton.Bounds(), b6},
                             {f.mouseGroup.Bounds(), gb}})
    EXPECT_EQ(now.top, before.top + 50);
}

TEST_F(ShellTest, OnlyAnActivatedWindowResizesTheDrawingArea) {
  Start();
  const auto before = state().drawingRect;
  window().frame.Resize(700, 500);
  EXPECT_EQ(state().drawingRect.right, before.right);
  state().windowActivated = true;
  window().frame.Resize(800, 500);
  EXPECT_EQ(state().drawingRect.right, window().drawingArea.Bounds().width);
  EXPECT_EQ(state().drawingRect.bottom, window().drawingArea.Bounds().height);
}

TEST_F(ShellTest, FirstActivationHidesAndStartsRecognition) {
  Start();
  world().AfterPumps(3, [this] {
    EXPECT_FALSE(window().frame.Visible());
    EXPECT_FALSE(window().frame.OwnerVisible());
    EXPECT_EQ(window().startButton.Caption(), texts::kWaiting.view());
    EXPECT_EQ(world().tray.picture, platform::TrayPicture::Running);
    window().startButton.Click();
  });
  window().frame.onFirstActivate();
  EXPECT_TRUE(state().windowActivated);
  EXPECT_EQ(world().pumps, 3u);
}

TEST_F(ShellTest, WithAChosenTriggerButtonTheFirstActivationWaitsForIt) {
  const struct {
    const char* ini;
    bool runs;
    bool refused = false;
  } cases[] = {
      {"[Main]\nUM=1\nMB=3\n", false},
      {"[Main]\nUM=1\nMB=1\n", false},
      {"[Main]\nUM=1\n", true},  // no button chosen: continuous
      {"[Main]\nMB=3\n", true},  // the trigger off: continuous
      // The file refused the button: the radio shows it, but no press would start a run.
      {"[Main]\nUM=1\nMB=3\n", true, true},
  };
  for (const auto& c : cases) {
    Restart();
    PointWorldAtFolders();
    WriteIni(c.ini);
    world().profileWritesFail = c.refused;
    Start();
    bool ran = false;
    world().AfterPumps(1, [this, &ran] {
      ran = !state().stopped;
      window().startButton.Click();
    });
    window().frame.onFirstActivate();
    EXPECT_EQ(ran, c.runs) << c.ini;
    EXPECT_TRUE(state().stopped) << c.ini;
    EXPECT_EQ(window().startButton.Caption(), texts::kStart.view()) << c.ini;
  }
}

TEST_F(ShellTest, HotKeyModeWaitsForTheKey) {
  WriteIni("[Main]\nHK=yes\nHotkey=Ctrl+Alt+F5\n");
  Start();
  window().frame.onFirstActivate();
  EXPECT_TRUE(state().stopped);
  EXPECT_EQ(window().startButton.Caption(), texts::kStart.view());
  EXPECT_FALSE(window().frame.Visible());
}

TEST_F(ShellTest, TrayPressesShowOrOpenTheMenu) {
  Start();
  HideToTray(window());
  world().cursor = {900, 740};
  window().frame.onTrayMessage(516);
  EXPECT_FALSE(window().frame.Visible());
  ASSERT_EQ(world().menusShown.size(), 1u);
  EXPECT_EQ(world().menusShown[0].menu, &window().trayMenu);
  EXPECT_EQ(world().menusShown[0].at, (Point{900, 740}));
  EXPECT_EQ(window().trayMenu.ItemCaption(0), texts::kRestore.view());
  EXPECT_EQ(window().trayMenu.ItemCaption(1), texts::kExit.view());

  window().frame.onTrayMessage(515);  // double click: nothing
  window().frame.onTrayMessage(514);
  EXPECT_FALSE(window().frame.Visible());
  window().frame.onTrayMessage(513);
  EXPECT_TRUE(window().frame.Visible());
  EXPECT_TRUE(window().frame.OwnerVisible());
  EXPECT_EQ(world().foregroundCalls, 2);

  window().hideButton.Click();
  EXPECT_FALSE(window().frame.Visible());
  world().menuChoice = 0;
  window().frame.onTrayMessage(516);
  EXPECT_TRUE(window().frame.Visible());
}

TEST_F(ShellTest, ExitFromTheTrayMenuSavesAndEndsInsideRecognition) {
  Start();
  window().scaleField.SetText("20");
  world().AfterPumps(2, [this] {
    world().menuChoice = 1;
    window().frame.onTrayMessage(516);
  });
  try {
    window().startButton.Click();
    FAIL() << "the process did not end";
  } catch (const fake::ProcessExit& exit) {
    EXPECT_EQ(exit.code, 0);
  }
  EXPECT_TRUE(state().stopped);
  EXPECT_EQ(Key("Scale"), "20");
  EXPECT_EQ(Key("Hotkey"), "");
  EXPECT_FALSE(world().tray.exists);
}

TEST_F(ShellTest, AFailedCloseLeavesTheProgramAsItWas) {
  WriteIni("[Main]\nHK=yes\nHotkey=^Alt+F5\n");
  Start();
  world().profileWritesFail = true;
  int resumed = 0;
  const auto expectRunning = [&] {
    EXPECT_FALSE(state().stopped);
    EXPECT_EQ(window().startButton.Caption(), texts::kWaiting.view());
    EXPECT_TRUE(world().hookInstalled);
    EXPECT_EQ(world().hotKey, (fake::World::HotKey{3, 116}));
    EXPECT_TRUE(world().tray.exists);
    ++resumed;
  };
  // The close box, then the tray menu's "Выход", each inside recognition and each failing to
  // write: recognition goes on, with its hook and hot key, until the start button stops it.
  world().AfterPumps(1, [this] { window().frame.Close(); });
  world().AfterPumps(3, expectRunning);
  world().AfterPumps(4, [this] {
    world().menuChoice = 1;
    window().frame.onTrayMessage(516);
  });
  world().AfterPumps(6, expectRunning);
  world().AfterPumps(7, [this] { window().startButton.Click(); });
  window().startButton.Click();
  EXPECT_EQ(resumed, 2);
  EXPECT_EQ(world().errorBoxes, (std::vector<std::string>(2, "Unable to write to .\\gesture.ini")));
  EXPECT_TRUE(state().stopped);
  // A further request runs the sequence again.
  world().profileWritesFail = false;
  EXPECT_THROW(window().frame.Close(), fake::ProcessExit);
  EXPECT_FALSE(world().tray.exists);
  EXPECT_FALSE(world().hookInstalled);
}

TEST_F(ShellTest, OnlyAStartWithoutGestureIniSaysWhereTheProgramIs) {
  // The first activation hides the window and starts continuous recognition, stopped here.
  const auto activate = [this] {
    world().AfterPumps(1, [this] { window().startButton.Click(); });
    window().frame.onFirstActivate();
  };
  Start();
  // Not before the window has shown and gone to the tray: the balloon's animation would delay it.
  EXPECT_TRUE(world().tray.balloons.empty());
  activate();
  EXPECT_FALSE(window().frame.Visible());
  using Balloons = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(world().tray.balloons, (Balloons{{std::string(texts::kFirstStartTitle.view()),
                                              std::string(texts::kFirstStartText.view())}}));
  EXPECT_FALSE(IniExists()) << "written for the balloon";

  // A file in another folder is no file here.
  Restart();
  PointWorldAtFolders();
  world().PutFile(Ini("program"), "[Main]\r\nScale=12\r\n");
  Start();
  activate();
  EXPECT_EQ(world().tray.balloons.size(), 1u);

  Restart();
  PointWorldAtFolders();
  WriteIni("");  // even an empty file: the user has had the program
  Start();
  activate();
  EXPECT_TRUE(world().tray.balloons.empty());
}

TEST_F(ShellTest, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
  Start();
  world().tray.exists = false;  // Explorer restarted
  window().frame.onTaskbarCreated();
  EXPECT_TRUE(world().tray.exists);
}

TEST_F(ShellTest, ChoosingAFileBindsItBesideTheProgram) {
  WriteIni("[Main]\nNum=2\n1=0\n2=90\n");
  Start();
  window().actionList.onDblClick();
  EXPECT_TRUE(world().dialogCalls.empty());  // nothing selected

  window().actionList.Select(1);
  window().actionList.onDblClick();  // cancelled
  ASSERT_EQ(world().dialogCalls.size(), 1u);
  EXPECT_EQ(world().dialogCalls[0].filter, texts::kOpenFilter.view());
  EXPECT_EQ(world().dialogCalls[0].initialDirectory, ".");
  EXPECT_EQ(table().action[1], "");

  const std::string chosen = "C:\\Tools\\run.bat";
  world().dialogAnswers.push_back(chosen);
  window().bindMenu.Choose(0);  // "Файл" does the same as the double click
  EXPECT_EQ(table().action[1], chosen);
  EXPECT_EQ(window().actionList.RowText(1), chosen);
  EXPECT_EQ(window().actionList.Selected(), 1);
  EXPECT_EQ(ReadIni("program"), "[Main]\r\nA1=" + chosen + "\r\n");
}

TEST_F(ShellTest, PathsKeepEveryCharacterUntilTheFileMustHoldThem) {
  // The program in a folder whose name code page 1251 cannot hold: bindings still reach the
  // file beside it.
  const auto folder = root_ / "J\xC3\xBCrgen";
  world().executablePath = (folder / "vetrix.exe").string();
  WriteIni("[Main]\nNum=1\n1=0\n");
  Start();
  const std::string work = world().currentDirectory;
  window().actionList.Select(0);
  window().savedCommandBox.SetText("Max;/mx;");
  window().bindMenu.Choose(1);
  EXPECT_EQ(world().currentDirectory, folder.string());
  EXPECT_EQ(ReadIni("J\xC3\xBCrgen"), "[Main]\r\nA0=*Max;/mx;\r\n");

  // A chosen file that the file cannot name is refused, with the path in the message, and
  // nothing changes: not the row, not the file, not the current folder.
  world().currentDirectory = work;
  world().dialogAnswers.push_back("C:\\J\xC3\xBCrgen\\run.bat");
  EXPECT_THROW(
      try { window().actionList.onDblClick(); } catch (const Error& e) {
        EXPECT_EQ(e.what(), texts::kPathNotStorable.str() + "C:\\J?rgen\\run.bat");
        throw;
      },
      Error);
  EXPECT_EQ(table().action[0], "*Max;/mx;");
  EXPECT_EQ(window().actionList.RowText(0), "*Max");
  EXPECT_EQ(world().currentDirectory, work);
}

// A binding whose write fails leaves the program in the folder it was in: the next change
// still reaches the file it loaded, not one beside the program or the chosen file.
TEST_F(ShellTest, AFailedBindingKeepsTheFolderOfTheLoadedFile) {
  struct Binding {
    const char* what;
    std::function<void()> bind;
  };
  const Binding bindings[] = {
      {"a file from another folder",
       [this] {
         world().dialogAnswers.push_back("C:\\Tools\\run.bat");
         window().actionList.onDblClick();
       }},
      {"a command",
       [this] {
         window().savedCommandBox.SetText("Max;/mx;");
         window().bindMenu.Choose(1);
       }},
  };
  for (const Binding& b : bindings) {
    Restart();
    PointWorldAtFolders();
    WriteIni("[Main]\nNum=1\n1=0\n");
    Start();
    const std::string loaded = world().currentDirectory;
    window().actionList.Select(0);
    world().profileWritesFail = true;
    EXPECT_THROW(b.bind(), Error) << b.what;
    EXPECT_EQ(world().currentDirectory, loaded) << b.what;

    world().profileWritesFail = false;
    window().savedCommandBox.SetText("later");
    window().addCommandButton.Click();
    EXPECT_EQ(ReadIni(), "[Main]\r\nNum=1\r\n1=0\r\n[Messages]\r\nNumOfMessages=1\r\n1=later\r\n")
        << b.what;
    EXPECT_FALSE(IniExists("program")) << b.what;
  }
}

TEST_F(ShellTest, BindingACommandNeedsText) {
  WriteIni("[Main]\nNum=1\n1=0\n");
  Start();
  window().actionList.Select(0);
  window().bindMenu.Choose(1);
  EXPECT_EQ(table().action[0], "");
  window().savedCommandBox.SetText("Max;/mx;");
  window().bindMenu.Choose(1);
  EXPECT_EQ(table().action[0], "*Max;/mx;");
  EXPECT_EQ(window().actionList.RowText(0), "*Max");
}

}  // namespace
}  // namespace vetrix

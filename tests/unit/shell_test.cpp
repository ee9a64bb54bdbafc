// The main window's life: layout, first activation, tray, closing, binding actions.
#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/dispatch.h"
#include "shell/form_create.h"
#include "shell/layout.h"
#include "shell/tray.h"
#include "store/settings_file.h"
#include "text/texts.h"

namespace vetrix {
namespace {

using platform::Rect;

class ShellTest : public testing::FileTest {
 protected:
  void Start() {
    FormCreate(form());
    form().window.ShowCentered();
  }
  std::string Key(const char* key) { return SettingsFile().ReadString("Main", key, "<none>"); }
};

TEST_F(ShellTest, WiderAndTallerWindowsMoveAndGrowTheRightControls) {
  Start();
  auto& f = form();
  const Rect image = f.Image1.Bounds(), list1 = f.List1.Bounds(), list2 = f.List2.Bounds(),
             b1 = f.Button1.Bounds(), b3 = f.Button3.Bounds(), b4 = f.Button4.Bounds(),
             b5 = f.Button5.Bounds(), b6 = f.Button6.Bounds(), gb = f.GB.Bounds(),
             msl = f.MSL.Bounds(), se = f.SE.Bounds(), hk = f.HK.Bounds(), cb = f.CB.Bounds(),
             cb2 = f.CB2.Bounds();
  const WindowGeometry g = f.window.Geometry();
  f.window.Resize(g.width + 100, g.height);
  EXPECT_EQ(f.Image1.Bounds(), (Rect{image.left, image.top, image.width + 100, image.height}));
  EXPECT_EQ(f.List1.Bounds(), (Rect{list1.left + 100, list1.top, list1.width, list1.height}));
  EXPECT_EQ(f.List2.Bounds().left, list2.left + 100);
  EXPECT_EQ(f.Button3.Bounds().left, b3.left + 100);
  EXPECT_EQ(f.Button4.Bounds().left, b4.left + 100);
  EXPECT_EQ(f.Button5.Bounds().left, b5.left + 100);
  EXPECT_EQ(f.Button6.Bounds().left, b6.left + 100);
  EXPECT_EQ(f.GB.Bounds().left, gb.left + 100);
  EXPECT_EQ(f.MSL.Bounds().width, msl.width + 100);
  EXPECT_EQ(f.Button1.Bounds(), b1);
  EXPECT_EQ(f.SE.Bounds(), se);
  EXPECT_EQ(f.HK.Bounds(), hk);
  EXPECT_EQ(f.CB.Bounds(), cb);
  EXPECT_EQ(f.CB2.Bounds(), cb2);

  f.window.Resize(g.width + 100, g.height + 50);
  EXPECT_EQ(f.Image1.Bounds().height, image.height + 50);
  EXPECT_EQ(f.List2.Bounds().height, list2.height + 50);
  for (auto [now, before] : {std::pair{f.Button1.Bounds(), b1},
                             {f.Button4.Bounds(), b4},
                             {f.SE.Bounds(), se},
                             {f.HK.Bounds(), hk},
                             {f.CB2.Bounds(), cb2},
                             {f.MSL.Bounds(), msl},
                             {f.Button6.Bounds(), b6},
                             {f.GB.Bounds(), gb}})
    EXPECT_EQ(now.top, before.top + 50);
}

TEST_F(ShellTest, OnlyAnActivatedWindowResizesTheDrawingArea) {
  Start();
  const auto before = state().DrawingRect;
  form().window.Resize(700, 500);
  EXPECT_EQ(state().DrawingRect.right, before.right);
  state().FormActivated = true;
  form().window.Resize(800, 500);
  EXPECT_EQ(state().DrawingRect.right, form().Image1.Bounds().width);
  EXPECT_EQ(state().DrawingRect.bottom, form().Image1.Bounds().height);
}

TEST_F(ShellTest, FirstActivationHidesAndStartsRecognition) {
  Start();
  world().AfterPumps(3, [this] {
    EXPECT_FALSE(form().window.Visible());
    EXPECT_FALSE(form().window.OwnerVisible());
    EXPECT_EQ(form().Button1.Caption(), texts::kWaiting.view());
    EXPECT_EQ(world().tray.picture, platform::TrayPicture::Running);
    form().Button1.Click();
  });
  form().window.onFirstActivate();
  EXPECT_TRUE(state().FormActivated);
  EXPECT_EQ(world().pumps, 3u);
}

TEST_F(ShellTest, HotKeyModeWaitsForTheKey) {
  WriteIni("[Main]\nHK=yes\nHotkey=Ctrl+Alt+F5\n");
  Start();
  form().window.onFirstActivate();
  EXPECT_TRUE(state().Stopped);
  EXPECT_EQ(form().Button1.Caption(), texts::kStart.view());
  EXPECT_FALSE(form().window.Visible());
}

TEST_F(ShellTest, TrayPressesShowOrOpenTheMenu) {
  Start();
  HideToTray(form());
  world().cursor = {900, 740};
  form().window.onTrayMessage(516);
  EXPECT_FALSE(form().window.Visible());
  ASSERT_EQ(world().menusShown.size(), 1u);
  EXPECT_EQ(world().menusShown[0].menu, &form().PM);
  EXPECT_EQ(world().menusShown[0].at, (Point{900, 740}));
  EXPECT_EQ(form().PM.ItemCaption(0), texts::kRestore.view());
  EXPECT_EQ(form().PM.ItemCaption(1), texts::kExit.view());

  form().window.onTrayMessage(515);  // double click: nothing
  form().window.onTrayMessage(514);
  EXPECT_FALSE(form().window.Visible());
  form().window.onTrayMessage(513);
  EXPECT_TRUE(form().window.Visible());
  EXPECT_TRUE(form().window.OwnerVisible());
  EXPECT_EQ(world().foregroundCalls, 2);

  form().Button4.Click();
  EXPECT_FALSE(form().window.Visible());
  world().menuChoice = 0;
  form().window.onTrayMessage(516);
  EXPECT_TRUE(form().window.Visible());
}

TEST_F(ShellTest, ExitFromTheTrayMenuSavesAndEndsInsideRecognition) {
  Start();
  form().SE.SetText("20");
  world().AfterPumps(2, [this] {
    world().menuChoice = 1;
    form().window.onTrayMessage(516);
  });
  try {
    form().Button1.Click();
    FAIL() << "the process did not end";
  } catch (const fake::ProcessExit& exit) {
    EXPECT_EQ(exit.code, 0);
  }
  EXPECT_TRUE(state().Stopped);
  EXPECT_EQ(Key("Scale"), "20");
  EXPECT_EQ(Key("Hotkey"), "");
  EXPECT_FALSE(world().tray.exists);
}

TEST_F(ShellTest, AFailedCloseKeepsTheProgramRunning) {
  Start();
  world().profileWritesFail = true;
  world().AfterPumps(1, [this] { form().window.Close(); });
  form().Button1.Click();  // the close request stops every loop, then fails to write
  EXPECT_EQ(world().errorBoxes, (std::vector<std::string>{"Unable to write to .\\gesture.ini"}));
  EXPECT_TRUE(state().Stopped);
  EXPECT_TRUE(world().tray.exists);
  // A further request runs the sequence again.
  world().profileWritesFail = false;
  EXPECT_THROW(form().window.Close(), fake::ProcessExit);
  EXPECT_FALSE(world().tray.exists);
}

TEST_F(ShellTest, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
  Start();
  world().tray.exists = false;  // Explorer restarted
  form().window.onTaskbarCreated();
  EXPECT_TRUE(world().tray.exists);
}

TEST_F(ShellTest, ChoosingAFileBindsItBesideTheProgram) {
  WriteIni("[Main]\nNum=2\n1=0\n2=90\n");
  Start();
  form().List2.onDblClick();
  EXPECT_TRUE(world().dialogCalls.empty());  // nothing selected

  form().List2.Select(1);
  form().List2.onDblClick();  // cancelled
  ASSERT_EQ(world().dialogCalls.size(), 1u);
  EXPECT_EQ(world().dialogCalls[0].filter, texts::kOpenFilter.view());
  EXPECT_EQ(world().dialogCalls[0].initialDirectory, ".");
  EXPECT_EQ(table().Action[1], "");

  const std::string chosen = "C:\\Tools\\run.bat";
  world().dialogAnswers.push_back(chosen);
  form().Act.Choose(0);  // "Файл" does the same as the double click
  EXPECT_EQ(table().Action[1], chosen);
  EXPECT_EQ(form().List2.RowText(1), chosen);
  EXPECT_EQ(form().List2.Selected(), 1);
  EXPECT_EQ(ReadIni("program"), "[Main]\r\nA1=" + chosen + "\r\n");
}

TEST_F(ShellTest, BindingACommandNeedsText) {
  WriteIni("[Main]\nNum=1\n1=0\n");
  Start();
  form().List2.Select(0);
  form().Act.Choose(1);
  EXPECT_EQ(table().Action[0], "");
  form().MSL.SetText("Max;/mx;");
  form().Act.Choose(1);
  EXPECT_EQ(table().Action[0], "*Max;/mx;");
  EXPECT_EQ(form().List2.RowText(0), "*Max");
}

}  // namespace
}  // namespace vetrix

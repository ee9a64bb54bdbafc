// The fake must behave like Windows where the handlers depend on it.
#include "platform/fake/world.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/handler.h"
#include "platform/profile.h"
#include "platform/system.h"

namespace vetrix {
namespace {

class FakeWorldTest : public testing::WindowTest {
 protected:
  std::string File(const std::string& path) {
    const std::string* bytes = world().FileBytes(path);
    return bytes ? *bytes : "<none>";
  }
};

TEST_F(FakeWorldTest, TimerExpiresOnlyWhenMessagesArePumped) {
  int fired = 0;
  window().attemptTimer.onTimer = [&] { ++fired; };
  window().attemptTimer.Start();
  platform::Sleep(5000);
  EXPECT_EQ(fired, 0);
  platform::ProcessMessages();
  EXPECT_EQ(fired, 1);  // one expiry per pump, however late
  platform::ProcessMessages();
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(window().attemptTimer.Running());
}

TEST_F(FakeWorldTest, StartingARunningTimerDoesNotRestartIt) {
  int fired = 0;
  window().attemptTimer.onTimer = [&] { ++fired; };
  window().attemptTimer.Start();
  platform::Sleep(2000);
  window().attemptTimer.Start();
  platform::Sleep(1000);
  platform::ProcessMessages();
  EXPECT_EQ(fired, 1);

  // Stop and start begins a fresh interval.
  window().attemptTimer.Stop();
  platform::Sleep(2000);
  window().attemptTimer.Start();
  platform::Sleep(2999);
  platform::ProcessMessages();
  EXPECT_EQ(fired, 1);
  platform::Sleep(1);
  platform::ProcessMessages();
  EXPECT_EQ(fired, 2);
}

TEST_F(FakeWorldTest, ScriptedEventsRunByPumpAndByTimeInOrder) {
  std::vector<int> seen;
  world().At(25, [&] { seen.push_back(3); });
  world().AfterPumps(1, [&] { seen.push_back(1); });
  world().AfterPumps(1, [&] { seen.push_back(2); });
  platform::ProcessMessages();
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  platform::Sleep(20);
  platform::ProcessMessages();
  EXPECT_EQ(seen.size(), 2u);
  platform::Sleep(5);
  platform::ProcessMessages();
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

TEST_F(FakeWorldTest, AnErrorInAHandlerIsShownAndThePumpGoesOn) {
  bool after = false;
  world().AfterPumps(1, [] { throw Error("Unable to write to .\\gesture.ini"); });
  world().AfterPumps(1, [&] { after = true; });
  platform::ProcessMessages();
  EXPECT_EQ(world().errorBoxes, (std::vector<std::string>{"Unable to write to .\\gesture.ini"}));
  EXPECT_TRUE(after);
}

TEST_F(FakeWorldTest, SelectingARowFromCodeRaisesNoClick) {
  int clicks = 0;
  window().gestureList.onClick = [&] { ++clicks; };
  window().gestureList.AddRow("0");
  window().gestureList.AddRow("1");
  window().gestureList.Select(1);
  EXPECT_EQ(window().gestureList.Selected(), 1);
  window().gestureList.Select(7);
  EXPECT_EQ(window().gestureList.Selected(), -1);
  EXPECT_EQ(clicks, 0);
}

TEST_F(FakeWorldTest, TrayModifyBeforeAddHasNoEffect) {
  window().trayIcon.Modify(platform::TrayPicture::Running);
  EXPECT_FALSE(world().tray.exists);
  window().trayIcon.Add();
  window().trayIcon.Modify(platform::TrayPicture::Running);
  EXPECT_EQ(world().tray.picture, platform::TrayPicture::Running);
}

TEST_F(FakeWorldTest, InstanceGuardLetsOnlyTheFirstThrough) {
  EXPECT_TRUE(platform::AcquireInstanceGuard());
  EXPECT_FALSE(platform::AcquireInstanceGuard());
}

TEST_F(FakeWorldTest, ARunawayLoopIsCaught) {
  world().timeLimitMs = 1000;
  EXPECT_THROW(window().startButton.Click(), fake::RunawayLoop);
}

TEST_F(FakeWorldTest, TheBitmapClipsFillsAndKeepsItsPixelsWhenResized) {
  platform::Image& image = window().drawingArea;
  const platform::Rgb white{255, 255, 255}, grey{9, 9, 9};
  image.SetBitmapSize(5, 4);
  image.SetBrush(grey);
  image.FillRect(-2, 1, 3, 9);
  auto rows = [&] {
    std::string out;
    for (int y = 0; y < image.BitmapHeight(); ++y, out += '|')
      for (int x = 0; x < image.BitmapWidth(); ++x) out += image.Pixel(x, y) == white ? '.' : '#';
    return out;
  };
  EXPECT_EQ(rows(), ".....|###..|###..|###..|");
  image.SetBitmapSize(2, 5);
  EXPECT_EQ(rows(), "..|##|##|##|..|");
  image.SetBitmapSize(4, 2);
  EXPECT_EQ(rows(), "....|##..|");
  image.FillRect(3, 0, 3, 2);  // empty
  image.FillRect(1, -5, 9, 1);
  EXPECT_EQ(rows(), ".###|##..|");
}

TEST_F(FakeWorldTest, FileNamesResolveAsWindowsResolvesThem) {
  world().currentDirectory = "/Work/Sub";
  world().PutFile("Gesture.INI", "a");
  const char* sameFile[] = {"gesture.ini",
                            ".\\gesture.ini",
                            "/work/sub/GESTURE.ini",
                            "\\WORK\\SUB\\gesture.ini",
                            "..\\Sub\\.\\gesture.ini",
                            "/work//sub/gesture.ini",
                            "/../work/sub/x/../gesture.ini"};
  for (const char* name : sameFile) EXPECT_EQ(File(name), "a") << name;
  EXPECT_EQ(File("/work/gesture.ini"), "<none>");
  EXPECT_EQ(File("gesture.ini.bak"), "<none>");

  // A relative name follows the current folder.
  platform::SetCurrentDirectory({"\\work"});
  EXPECT_EQ(File("gesture.ini"), "<none>");
  EXPECT_EQ(File("sub\\gesture.ini"), "a");
}

TEST_F(FakeWorldTest, AProfileWriteTouchesTheFileOnlyWhenItChangesIt) {
  world().currentDirectory = "/w";
  EXPECT_TRUE(platform::ProfileWriteString(".\\gesture.ini", "Main", "Gone", std::nullopt));
  EXPECT_EQ(File("gesture.ini"), "<none>");  // nothing written, nothing created

  EXPECT_TRUE(platform::ProfileWriteString(".\\Gesture.ini", "Main", "Num", "2"));
  EXPECT_EQ(File("/w/gesture.ini"), "[Main]\r\nNum=2\r\n");
  EXPECT_EQ(platform::ProfileReadString("GESTURE.INI", "main", "num", "-"), "2");
  EXPECT_EQ(platform::ProfileKeyNames("gesture.ini", "Main"), (std::vector<std::string>{"Num"}));

  world().PutFile("lf.ini", "[Main]\nNum=2\n");
  EXPECT_TRUE(platform::ProfileWriteString("lf.ini", "Main", "Num", "2"));
  EXPECT_EQ(File("lf.ini"), "[Main]\nNum=2\n");  // an unchanged file is not rewritten

  // A snapshot is the file as it was when taken, whatever is written after it.
  const auto before = platform::ProfileSnapshot("gesture.ini");
  EXPECT_TRUE(platform::ProfileWriteString("gesture.ini", "Main", "Num", "7"));
  ASSERT_TRUE(before);
  EXPECT_EQ(before->Read("Main", "Num"), "2");
  EXPECT_EQ(platform::ProfileSnapshot("gesture.ini")->Read("Main", "Num"), "7");
  EXPECT_TRUE(platform::ProfileWriteString("gesture.ini", "Main", "Num", "2"));

  world().profileWritesFail = true;
  EXPECT_FALSE(platform::ProfileWriteString("gesture.ini", "Main", "Num", "3"));
  EXPECT_FALSE(platform::ProfileWriteString("new.ini", "Main", "Num", "3"));
  EXPECT_EQ(File("gesture.ini"), "[Main]\r\nNum=2\r\n");
  EXPECT_EQ(File("new.ini"), "<none>");
  EXPECT_EQ(world().profileWrites, 7);
}

}  // namespace
}  // namespace vetrix

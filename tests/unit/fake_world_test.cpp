// The fake must behave like Windows where the handlers depend on it.
#include "platform/fake/world.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/handler.h"
#include "platform/system.h"

namespace vetrix {
namespace {

class FakeWorldTest : public testing::WindowTest {};

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

}  // namespace
}  // namespace vetrix

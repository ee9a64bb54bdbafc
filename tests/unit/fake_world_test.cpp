// The fake must behave like Windows where the handlers depend on it.
#include "platform/fake/world.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/dispatch.h"
#include "platform/system.h"

namespace vetrix {
namespace {

class FakeWorldTest : public testing::FormTest {};

TEST_F(FakeWorldTest, TimerExpiresOnlyWhenMessagesArePumped) {
  int fired = 0;
  form().Timer1.onTimer = [&] { ++fired; };
  form().Timer1.Start();
  platform::Sleep(5000);
  EXPECT_EQ(fired, 0);
  platform::ProcessMessages();
  EXPECT_EQ(fired, 1);  // one expiry per pump, however late
  platform::ProcessMessages();
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(form().Timer1.Running());
}

TEST_F(FakeWorldTest, StartingARunningTimerDoesNotRestartIt) {
  int fired = 0;
  form().Timer1.onTimer = [&] { ++fired; };
  form().Timer1.Start();
  platform::Sleep(2000);
  form().Timer1.Start();
  platform::Sleep(1000);
  platform::ProcessMessages();
  EXPECT_EQ(fired, 1);

  // Stop and start begins a fresh interval.
  form().Timer1.Stop();
  platform::Sleep(2000);
  form().Timer1.Start();
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
  form().List1.onClick = [&] { ++clicks; };
  form().List1.AddRow("0");
  form().List1.AddRow("1");
  form().List1.Select(1);
  EXPECT_EQ(form().List1.Selected(), 1);
  form().List1.Select(7);
  EXPECT_EQ(form().List1.Selected(), -1);
  EXPECT_EQ(clicks, 0);
}

TEST_F(FakeWorldTest, TrayModifyBeforeAddHasNoEffect) {
  form().tray.Modify(platform::TrayPicture::Running);
  EXPECT_FALSE(world().tray.exists);
  form().tray.Add();
  form().tray.Modify(platform::TrayPicture::Running);
  EXPECT_EQ(world().tray.picture, platform::TrayPicture::Running);
}

TEST_F(FakeWorldTest, InstanceGuardLetsOnlyTheFirstThrough) {
  EXPECT_TRUE(platform::AcquireInstanceGuard());
  EXPECT_FALSE(platform::AcquireInstanceGuard());
}

TEST_F(FakeWorldTest, ARunawayLoopIsCaught) {
  world().timeLimitMs = 1000;
  EXPECT_THROW(form().Button1.Click(), fake::RunawayLoop);
}

}  // namespace
}  // namespace vetrix

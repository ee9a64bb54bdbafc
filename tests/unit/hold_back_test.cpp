// The hook library's decisions on the buttons: only the trigger's button is reported, and only
// while the trigger is on; a held press is replayed as a click when the pointer stayed within
// the system's drag rectangle, and swallowed when a gesture was drawn.
#include "zorv/hold_back.h"

#include <gtest/gtest.h>

#include "zorv/zorv.h"

namespace zorv {
namespace {

constexpr std::uintptr_t kRightHeld = TriggerWord(kButtonRight, true, true);
// The system's default drag rectangle: 4 pixels either side.
constexpr Slop kDrag{4, 4};

struct Case {
  const char* what;
  Point moveTo;     // one move while the button is down
  Point releaseAt;  // where the release comes
  Verdict release;
};

Verdict PressMoveRelease(const Case& c, Point press, Slop slop) {
  HoldBack hold;
  EXPECT_EQ(hold.OnButton(kButtonRight, true, press, kRightHeld, slop), Verdict::kSwallow)
      << c.what;
  hold.OnMove(c.moveTo);
  return hold.OnButton(kButtonRight, false, c.releaseAt, kRightHeld, slop);
}

TEST(HoldBack, ClickOrGestureAtTheSlop) {
  const Point press{100, 100};
  const Case cases[] = {
      {"no move", press, press, Verdict::kReplay},
      {"right to the slop", {104, 100}, {104, 100}, Verdict::kReplay},
      {"up to the slop", {100, 96}, press, Verdict::kReplay},
      {"diagonal to the slop", {104, 96}, {104, 96}, Verdict::kReplay},
      {"one past, then back", {105, 100}, press, Verdict::kSwallow},
      {"one past down", {100, 105}, press, Verdict::kSwallow},
      {"release one past, no move", press, {95, 100}, Verdict::kSwallow},
  };
  for (const Case& c : cases) EXPECT_EQ(PressMoveRelease(c, press, kDrag), c.release) << c.what;
}

TEST(HoldBack, TheSlopIsTheDragRectangleOfEachAxis) {
  const Point press{200, 200};
  // Wide and flat, as a user may set it.
  const Slop wide{10, 2};
  const Case cases[] = {
      {"ten right", {210, 200}, {210, 200}, Verdict::kReplay},
      {"ten left, two up", {190, 198}, press, Verdict::kReplay},
      {"eleven right", {211, 200}, press, Verdict::kSwallow},
      {"three down", {200, 203}, press, Verdict::kSwallow},
      {"release three up", press, {200, 197}, Verdict::kSwallow},
  };
  for (const Case& c : cases) EXPECT_EQ(PressMoveRelease(c, press, wide), c.release) << c.what;

  // A negative metric reaches as far on both sides.
  const Case negative[] = {
      {"six left", {194, 200}, {194, 200}, Verdict::kReplay},
      {"six right, three down", {206, 203}, press, Verdict::kReplay},
      {"seven right", {207, 200}, press, Verdict::kSwallow},
      {"four up", {200, 196}, press, Verdict::kSwallow},
  };
  for (const Case& c : negative)
    EXPECT_EQ(PressMoveRelease(c, press, {-6, -3}), c.release) << c.what;
}

TEST(HoldBack, TheRectangleOfThePressHoldsUntilTheRelease) {
  HoldBack hold;
  hold.OnButton(kButtonRight, true, {0, 0}, kRightHeld, {10, 10});
  hold.OnMove({8, 0});
  // The metrics changed while the button was down: the press's rectangle still decides.
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {8, 0}, kRightHeld, kDrag), Verdict::kReplay);

  hold.OnButton(kButtonRight, true, {0, 0}, kRightHeld, kDrag);
  hold.OnMove({8, 0});
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {0, 0}, kRightHeld, {10, 10}), Verdict::kSwallow);
}

TEST(HoldBack, AGestureThatComesBackToItsStartIsStillAGesture) {
  HoldBack hold;
  hold.OnButton(kButtonRight, true, {50, 50}, kRightHeld, kDrag);
  hold.OnMove({90, 50});
  hold.OnMove({51, 50});
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {50, 50}, kRightHeld, kDrag), Verdict::kSwallow);
}

TEST(HoldBack, ASecondPressOfTheHeldButtonStartsAfresh) {
  HoldBack hold;
  hold.OnButton(kButtonRight, true, {0, 0}, kRightHeld, kDrag);
  hold.OnMove({200, 0});
  // Its release never came; this press is judged on its own, from its own point.
  EXPECT_EQ(hold.OnButton(kButtonRight, true, {300, 0}, kRightHeld, kDrag), Verdict::kSwallow);
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {301, 1}, kRightHeld, kDrag), Verdict::kReplay);
}

TEST(HoldBack, OnlyTheChosenButtonWhileTheTriggerHoldsBack) {
  HoldBack hold;
  EXPECT_EQ(hold.OnButton(kButtonLeft, true, {0, 0}, kRightHeld, kDrag), Verdict::kPass);
  EXPECT_EQ(hold.OnButton(kButtonLeft, false, {0, 0}, kRightHeld, kDrag), Verdict::kPass);
  for (std::uintptr_t off :
       {TriggerWord(kButtonRight, false, true), TriggerWord(kButtonRight, true, false)}) {
    EXPECT_EQ(hold.OnButton(kButtonRight, true, {0, 0}, off, kDrag), Verdict::kPass);
    EXPECT_EQ(hold.OnButton(kButtonRight, false, {0, 0}, off, kDrag), Verdict::kPass);
  }
  // Another button pressed while one is held passes, and the held one still ends as a click.
  EXPECT_EQ(hold.OnButton(kButtonRight, true, {0, 0}, kRightHeld, kDrag), Verdict::kSwallow);
  EXPECT_EQ(hold.OnButton(kButtonLeft, true, {0, 0}, kRightHeld, kDrag), Verdict::kPass);
  EXPECT_EQ(hold.OnButton(kButtonLeft, false, {0, 0}, kRightHeld, kDrag), Verdict::kPass);
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {0, 0}, kRightHeld, kDrag), Verdict::kReplay);
}

TEST(HoldBack, AReleaseWithoutAHeldPressPasses) {
  HoldBack hold;
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {0, 0}, kRightHeld, kDrag), Verdict::kPass);
}

TEST(Listened, OnlyTheChosenButtonWhileTheTriggerIsOn) {
  for (unsigned chosen : {kButtonLeft, kButtonMiddle, kButtonRight}) {
    for (unsigned button : {kButtonLeft, kButtonMiddle, kButtonRight}) {
      for (bool holdBack : {false, true}) {
        const bool same = button == chosen;
        EXPECT_EQ(Listened(button, TriggerWord(chosen, true, holdBack)), same)
            << button << " with " << chosen << " chosen";
        EXPECT_FALSE(Listened(button, TriggerWord(chosen, false, holdBack)))
            << button << " with the trigger off";
      }
    }
  }
  // No button chosen: nothing, not even a button numbered like "none".
  for (unsigned button : {kButtonNone, kButtonLeft, kButtonMiddle, kButtonRight})
    EXPECT_FALSE(Listened(button, TriggerWord(kButtonNone, true, true))) << button;
}

// A hook the system dropped hears nothing: the pointer moved between two slow looks, no move
// was counted, and the hook's last point is elsewhere. The program's own SetCursorPos is
// unheard too, but moves the pointer only once: the look after it finds it resting there.
TEST(SilenceWatch, TheHookIsSetAgainOnlyWhereThePointerMovedUnheard) {
  const std::uint64_t heardAt10 = PackPoint(10, 10);
  SilenceWatch watch;
  EXPECT_FALSE(watch.Look(5, {10, 10}, heardAt10)) << "the first look only takes note";
  EXPECT_FALSE(watch.Look(5, {10, 10}, heardAt10)) << "resting";
  EXPECT_FALSE(watch.Look(9, {40, 10}, PackPoint(40, 10))) << "moved, heard";
  EXPECT_TRUE(watch.Look(9, {70, 10}, PackPoint(40, 10))) << "moved, unheard";
  EXPECT_FALSE(watch.Look(9, {70, 10}, PackPoint(40, 10))) << "put there, then resting";
  EXPECT_FALSE(watch.Look(9, {90, 10}, PackPoint(90, 10))) << "a move heard as it was counted";
  EXPECT_TRUE(watch.Look(9, {95, 10}, PointerRecord::kUnknown)) << "a hook that never heard";
}

}  // namespace
}  // namespace zorv

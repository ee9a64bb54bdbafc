// The hook library's decisions on the buttons: only the trigger's button is reported, and only
// while the trigger is on; a held press is replayed as a click when the pointer stayed within
// the slop, and swallowed when a gesture was drawn.
#include "zorv/hold_back.h"

#include <gtest/gtest.h>

#include "zorv/zorv.h"

namespace zorv {
namespace {

constexpr std::uintptr_t kRightHeld = TriggerWord(kButtonRight, true, true);

struct Case {
  const char* what;
  Point moveTo;     // one move while the button is down
  Point releaseAt;  // where the release comes
  Verdict release;
};

TEST(HoldBack, ClickOrGestureAtTheSlop) {
  const Point press{100, 100};
  const Case cases[] = {
      {"no move", press, press, Verdict::kReplay},
      {"right to the slop", {100 + kClickSlop, 100}, {100 + kClickSlop, 100}, Verdict::kReplay},
      {"up to the slop", {100, 100 - kClickSlop}, press, Verdict::kReplay},
      {"diagonal to the slop", {104, 96}, {104, 96}, Verdict::kReplay},
      {"one past, then back", {100 + kClickSlop + 1, 100}, press, Verdict::kSwallow},
      {"one past down", {100, 100 + kClickSlop + 1}, press, Verdict::kSwallow},
      {"release one past, no move", press, {100 - kClickSlop - 1, 100}, Verdict::kSwallow},
  };
  for (const Case& c : cases) {
    HoldBack hold;
    EXPECT_EQ(hold.OnButton(kButtonRight, true, press, kRightHeld), Verdict::kSwallow) << c.what;
    hold.OnMove(c.moveTo);
    EXPECT_EQ(hold.OnButton(kButtonRight, false, c.releaseAt, kRightHeld), c.release) << c.what;
  }
}

TEST(HoldBack, AGestureThatComesBackToItsStartIsStillAGesture) {
  HoldBack hold;
  hold.OnButton(kButtonRight, true, {50, 50}, kRightHeld);
  hold.OnMove({90, 50});
  hold.OnMove({51, 50});
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {50, 50}, kRightHeld), Verdict::kSwallow);
}

TEST(HoldBack, ASecondPressOfTheHeldButtonStartsAfresh) {
  HoldBack hold;
  hold.OnButton(kButtonRight, true, {0, 0}, kRightHeld);
  hold.OnMove({200, 0});
  // Its release never came; this press is judged on its own, from its own point.
  EXPECT_EQ(hold.OnButton(kButtonRight, true, {300, 0}, kRightHeld), Verdict::kSwallow);
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {301, 1}, kRightHeld), Verdict::kReplay);
}

TEST(HoldBack, OnlyTheChosenButtonWhileTheTriggerHoldsBack) {
  HoldBack hold;
  EXPECT_EQ(hold.OnButton(kButtonLeft, true, {0, 0}, kRightHeld), Verdict::kPass);
  EXPECT_EQ(hold.OnButton(kButtonLeft, false, {0, 0}, kRightHeld), Verdict::kPass);
  for (std::uintptr_t off :
       {TriggerWord(kButtonRight, false, true), TriggerWord(kButtonRight, true, false)}) {
    EXPECT_EQ(hold.OnButton(kButtonRight, true, {0, 0}, off), Verdict::kPass);
    EXPECT_EQ(hold.OnButton(kButtonRight, false, {0, 0}, off), Verdict::kPass);
  }
  // Another button pressed while one is held passes, and the held one still ends as a click.
  EXPECT_EQ(hold.OnButton(kButtonRight, true, {0, 0}, kRightHeld), Verdict::kSwallow);
  EXPECT_EQ(hold.OnButton(kButtonLeft, true, {0, 0}, kRightHeld), Verdict::kPass);
  EXPECT_EQ(hold.OnButton(kButtonLeft, false, {0, 0}, kRightHeld), Verdict::kPass);
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {0, 0}, kRightHeld), Verdict::kReplay);
}

TEST(HoldBack, AReleaseWithoutAHeldPressPasses) {
  HoldBack hold;
  EXPECT_EQ(hold.OnButton(kButtonRight, false, {0, 0}, kRightHeld), Verdict::kPass);
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

}  // namespace
}  // namespace zorv

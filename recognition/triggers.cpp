#include "recognition/triggers.h"

#include "shell/main_form.h"
#include "store/settings.h"

namespace vetrix {
namespace {

// Every mouse option leaves recognition stopped: force "running", then toggle.
void StopThroughStartButton(MainForm& form) {
  form.s.Stopped = false;
  form.Button1.Click();
}

void ChooseButton(MainForm& form, int button) {
  WriteOptionInteger("MB", button);
  SelectButtonMessages(form, button);
  StopThroughStartButton(form);
}

}  // namespace

void SelectButtonMessages(MainForm& form, int button) {
  static constexpr int kMessages[3][4] = {
      {513, 161, 514, 162},  // left: down, non-client down, up, non-client up
      {519, 167, 520, 168},  // middle
      {516, 164, 517, 165},  // right
  };
  if (button < 1 || button > 3) return;
  for (int i = 0; i < 4; ++i) form.s.ButtonMessages[i] = kMessages[button - 1][i];
}

void CBClick(MainForm& form) {
  if (form.CB.Checked()) {
    WriteOption("HK", "yes");
    form.s.OneShot = true;
  } else {
    WriteOption("HK", "no");
    form.s.OneShot = false;
    form.HK.SetCode(0);
  }
}

void UseMouseClick(MainForm& form) {
  WriteOptionBool("UM", form.UseMouse.Checked());
  if (form.UseLeft.Checked()) SelectButtonMessages(form, 1);
  if (form.UseMiddle.Checked()) SelectButtonMessages(form, 2);
  if (form.UseRight.Checked()) SelectButtonMessages(form, 3);
  StopThroughStartButton(form);
}

void UseLeftClick(MainForm& form) {
  ChooseButton(form, 1);
}
void UseMiddleClick(MainForm& form) {
  ChooseButton(form, 2);
}
void UseRightClick(MainForm& form) {
  ChooseButton(form, 3);
}

}  // namespace vetrix

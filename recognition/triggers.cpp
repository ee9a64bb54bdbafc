#include "recognition/triggers.h"

#include "platform/system.h"
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
  UpdateMouseTrigger(form);
  StopThroughStartButton(form);
}

int ChosenButton(MainForm& form) {
  if (form.UseLeft.Checked()) return 1;
  if (form.UseMiddle.Checked()) return 2;
  if (form.UseRight.Checked()) return 3;
  return 0;
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
    platform::UnregisterHotKey();
    form.HK.SetCode(0);
  }
}

void UseMouseClick(MainForm& form) {
  WriteOptionBool("UM", form.UseMouse.Checked());
  if (form.UseLeft.Checked()) SelectButtonMessages(form, 1);
  if (form.UseMiddle.Checked()) SelectButtonMessages(form, 2);
  if (form.UseRight.Checked()) SelectButtonMessages(form, 3);
  UpdateMouseTrigger(form);
  StopThroughStartButton(form);
}

void UpdateMouseTrigger(MainForm& form) {
  platform::SetMouseTrigger(ChosenButton(form), form.UseMouse.Checked(), form.holdTriggerButton);
}

void OnHookMouseMessage(MainForm& form, std::int32_t mouseMessage) {
  SharedState& s = form.s;
  if (form.UseMouse.Checked()) {
    if (mouseMessage == s.ButtonMessages[0] || mouseMessage == s.ButtonMessages[1]) {
      // A press always starts a run, nested in a running one if need be; it returns when the
      // release, dispatched by that run's pump, has stopped it.
      s.Stopped = true;
      form.Button1.Click();
    }
    if (mouseMessage == s.ButtonMessages[2] || mouseMessage == s.ButtonMessages[3]) {
      s.Stopped = false;
      form.Button1.Click();
    }
  }
  platform::ProcessMessages();
}

void UseLeftClick(MainForm& form) { ChooseButton(form, 1); }
void UseMiddleClick(MainForm& form) { ChooseButton(form, 2); }
void UseRightClick(MainForm& form) { ChooseButton(form, 3); }

}  // namespace vetrix

#include "recognition/mouse_trigger.h"

#include "base/mouse_messages.h"
#include "platform/system.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

// Every mouse option leaves recognition stopped: force "running", then toggle.
void StopThroughStartButton(MainWindow& window) {
  window.state.stopped = false;
  window.startButton.Click();
}

int ChosenButton(const MainWindow& window) {
  if (window.leftButtonRadio.Checked()) return 1;
  if (window.middleButtonRadio.Checked()) return 2;
  if (window.rightButtonRadio.Checked()) return 3;
  return 0;
}

}  // namespace

void SelectButtonMessages(MainWindow& window, int button) {
  using namespace mouse_messages;
  static constexpr std::int32_t kMessages[3][4] = {
      {kLeftDown, kNonClientLeftDown, kLeftUp, kNonClientLeftUp},
      {kMiddleDown, kNonClientMiddleDown, kMiddleUp, kNonClientMiddleUp},
      {kRightDown, kNonClientRightDown, kRightUp, kNonClientRightUp},
  };
  if (button < 1 || button > 3) return;
  for (int i = 0; i < 4; ++i) window.state.buttonMessages[i] = kMessages[button - 1][i];
}

void OnTriggerButtonClick(MainWindow& window, int button) {
  WriteOptionInteger("MB", button);
  SelectButtonMessages(window, button);
  UpdateMouseTrigger(window);
  StopThroughStartButton(window);
}

void OnMouseTriggerClick(MainWindow& window) {
  WriteOptionBool("UM", window.mouseTriggerBox.Checked());
  if (window.leftButtonRadio.Checked()) SelectButtonMessages(window, 1);
  if (window.middleButtonRadio.Checked()) SelectButtonMessages(window, 2);
  if (window.rightButtonRadio.Checked()) SelectButtonMessages(window, 3);
  UpdateMouseTrigger(window);
  StopThroughStartButton(window);
}

void UpdateMouseTrigger(MainWindow& window) {
  platform::SetMouseTrigger(ChosenButton(window), window.mouseTriggerBox.Checked(),
                            window.holdTriggerButton);
}

void OnHookMouseMessage(MainWindow& window, std::int32_t mouseMessage) {
  SharedState& s = window.state;
  if (window.mouseTriggerBox.Checked()) {
    if (mouseMessage == s.buttonMessages[0] || mouseMessage == s.buttonMessages[1]) {
      // A press always starts a run, nested in a running one if need be; it returns when the
      // release, dispatched by that run's pump, has stopped it.
      s.stopped = true;
      window.startButton.Click();
    }
    if (mouseMessage == s.buttonMessages[2] || mouseMessage == s.buttonMessages[3]) {
      s.stopped = false;
      window.startButton.Click();
    }
  }
  platform::ProcessMessages();
}

}  // namespace vetrix

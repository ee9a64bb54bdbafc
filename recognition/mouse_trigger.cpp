#include "recognition/mouse_trigger.h"

#include "base/mouse_messages.h"
#include "base/texts.h"
#include "platform/system.h"
#include "recognition/pause.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

using namespace mouse_messages;

// Down, non-client down, up, non-client up of button 1 (left), 2 (middle) and 3 (right).
constexpr std::int32_t kButtonMessages[3][4] = {
    {kLeftDown, kNonClientLeftDown, kLeftUp, kNonClientLeftUp},
    {kMiddleDown, kNonClientMiddleDown, kMiddleUp, kNonClientMiddleUp},
    {kRightDown, kNonClientRightDown, kRightUp, kNonClientRightUp},
};
constexpr int kRightButton = 3;

// Every mouse option leaves recognition stopped: force "running", then toggle.
void StopThroughStartButton(MainWindow& window) {
  window.state.stopped = false;
  window.startButton.Click();
}

// The button whose messages start a run: the one last selected, which is not the radio shown
// when the file refused to record the choice.
int ListenedButton(const SharedState& s) {
  for (int button = 1; button <= 3; ++button)
    if (s.buttonMessages[0] == kButtonMessages[button - 1][0]) return button;
  return 0;
}

// A radio or the box has changed before its handler runs, and the file may refuse it: the hook
// library learns what recognition answers to either way, or it would hold back a button that
// never starts a run, or report none while one would.
class TellHookLibraryOnExit {
 public:
  explicit TellHookLibraryOnExit(MainWindow& window) : window_(window) {}
  ~TellHookLibraryOnExit() { UpdateMouseTrigger(window_); }
  TellHookLibraryOnExit(const TellHookLibraryOnExit&) = delete;
  TellHookLibraryOnExit& operator=(const TellHookLibraryOnExit&) = delete;

 private:
  MainWindow& window_;
};

}  // namespace

void SelectButtonMessages(MainWindow& window, int button) {
  if (button < 1 || button > 3) return;
  for (int i = 0; i < 4; ++i) window.state.buttonMessages[i] = kButtonMessages[button - 1][i];
}

void OnTriggerButtonClick(MainWindow& window, int button) {
  const TellHookLibraryOnExit tell(window);
  WriteOptionInteger("MB", button);
  SelectButtonMessages(window, button);
  StopThroughStartButton(window);
}

void OnMouseTriggerClick(MainWindow& window) {
  const TellHookLibraryOnExit tell(window);
  WriteOptionBool("UM", window.mouseTriggerBox.Checked());
  if (window.leftButtonRadio.Checked()) SelectButtonMessages(window, 1);
  if (window.middleButtonRadio.Checked()) SelectButtonMessages(window, 2);
  if (window.rightButtonRadio.Checked()) SelectButtonMessages(window, 3);
  StopThroughStartButton(window);
}

bool ButtonStartsRecognition(const MainWindow& window) {
  return window.mouseTriggerBox.Checked() && ListenedButton(window.state) != 0;
}

void UpdateMouseTrigger(MainWindow& window) {
  const int button = ListenedButton(window.state);
  // While paused the program in front gets every click of the button, untouched.
  const bool paused = window.state.paused;
  const HoldButton held = window.state.holdButton;
  const bool hold =
      !paused && (held == HoldButton::Any || (held == HoldButton::Right && button == kRightButton));
  platform::SetMouseTrigger(button, !paused && window.mouseTriggerBox.Checked(), hold);
}

void StopButtonRun(MainWindow& window) {
  if (ButtonStartsRecognition(window) && !window.state.stopped) StopThroughStartButton(window);
}

void OnHookMouseMessage(MainWindow& window, std::int32_t mouseMessage) {
  SharedState& s = window.state;
  if (window.mouseTriggerBox.Checked()) {
    if (mouseMessage == s.buttonMessages[0] || mouseMessage == s.buttonMessages[1]) {
      // A press always starts a run, nested in a running one if need be; it returns when the
      // release, dispatched by that run's pump, has stopped it.
      s.stopped = true;
      window.state.buttonPressStartsRun = true;
      window.startButton.Click();
    }
    if (mouseMessage == s.buttonMessages[2] || mouseMessage == s.buttonMessages[3]) {
      s.stopped = false;
      window.startButton.Click();
    }
  }
  platform::ProcessMessages();
}

void OnHookSilent(MainWindow& window, bool silent) {
  const std::string tip = texts::kHookSilentTip.str();
  if (silent) {
    SetUnpausedTip(window, tip);
  } else if (window.unpausedTip == tip) {
    SetUnpausedTip(window, texts::kAppTitle.str());
  }
}

}  // namespace vetrix

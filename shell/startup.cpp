#include "shell/startup.h"

#include "base/dpi.h"
#include "base/error.h"
#include "base/path.h"
#include "base/texts.h"
#include "platform/files.h"
#include "platform/handler.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "recognition/attempt_trace.h"
#include "recognition/hot_key.h"
#include "recognition/key_names.h"
#include "recognition/mouse_trigger.h"
#include "recognition/pause.h"
#include "shell/tray.h"
#include "store/number.h"
#include "store/settings.h"
#include "store/settings_file.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

void StopEveryLoop(SharedState& s) {
  s.stopped = true;
  s.playbackActive = false;
  s.placingStart = false;
}

// In the fixed order: the mouse button before the mouse trigger, the hot key into its field
// before hot-key mode is ticked, both before the hot key is registered. Setting a control runs
// its handler, which may fail (a read-only file, a scale that is not a number): the failure is
// shown and the next step goes on, so that the program still comes up with its tray icon and
// every gesture.
void ApplyOptions(MainWindow& window, const StoredOptions& options) {
  const auto step = [](auto&& fn) { platform::RunHandler(fn); };
  window.state.holdButton = options.holdButton;
  window.state.pauseRules = options.pause;
  window.state.feedback = options.feedback;
  step([&] {
    switch (options.mouseButton) {
      case 1:
        window.leftButtonRadio.SetChecked(true);
        break;
      case 2:
        window.middleButtonRadio.SetChecked(true);
        break;
      case 3:
        window.rightButtonRadio.SetChecked(true);
        break;
      default:
        break;
    }
  });
  step([&] { window.mouseTriggerBox.SetChecked(options.useMouse); });
  window.state.startPoint = options.startPoint;
  step([&] {
    try {
      window.scaleField.SetText(options.scale);
    } catch (const Error&) {
      // Reported once, as loaded; the field goes on with the default.
      window.scaleField.SetText(kDefaultScale);
      throw;
    }
  });
  step([&] {
    if (options.hotKeyMode) {
      window.hotKeyField.SetCode(KeyCodeFromName(options.hotKeyName));
      window.hotKeyModeBox.SetChecked(true);
    } else {
      window.hotKeyModeBox.SetChecked(false);
    }
  });
  step([&] { window.exactModeBox.SetChecked(options.exactMode); });
  UpdateMouseTrigger(window);
}

void ShowSavedCommands(MainWindow& window, const StoredCommands& commands) {
  window.savedCommandKeys = commands.keys;
  for (const std::string& line : commands.lines) window.savedCommandBox.AddItem(line);
}

void LoadGestures(MainWindow& window) {
  const std::optional<std::string> error =
      ReadGestures(window.state.table, &window.state.programActions);
  for (int i = 0; i < window.state.table.gestureCount; ++i) AddGestureRows(window, i);
  UpdateRecordButton(window);
  if (error) platform::ShowErrorBox(*error);
}

}  // namespace

void OnCreate(MainWindow& window) {
  SharedState& s = window.state;
  // A first start: the hidden window's only trace is the tray icon, which says where it is.
  window.greetOnActivate = !platform::FileSize(SystemPath{kSettingsName});
  window.frame.SetTitle(texts::kMainTitle);
  window.frame.TrimOwnerMenu();
  s.commitRequested = false;
  // Ticking an option from here runs its handler, which forces recognition to "stopped"
  // through the start button; so recognition is stopped when creation ends.
  const StoredOptions options = ReadOptions();
  ApplyOptions(window, options);
  StartAttemptTrace(window, options.traceFile);
  platform::UnregisterHotKey();
  window.trayIcon.Add();
  RegisterHotKeyAtStartup(window);
  // The drawing area's designed size, which it had when it was made at its design place: made
  // where the layout puts it, it may already be larger, and what is drawn before the first
  // resize after activation keeps to the designed size.
  const Rect area = Scaled(design::kDrawingArea, window.frame.Dpi());
  s.drawingRect = {0, 0, area.width, area.height};
  s.programFolder = {FolderOf(platform::ExecutablePath().utf8)};
  ShowSavedCommands(window, ReadSavedCommands());
  LoadGestures(window);
  // Before the hook library starts: it must not hold a button back for a paused program.
  FollowForeground(window);
  platform::InstallMouseHook();
}

void OnFirstActivate(MainWindow& window) {
  window.state.windowActivated = true;
  HideToTray(window);
  if (window.greetOnActivate)
    window.trayIcon.ShowBalloon(texts::kFirstStartTitle, texts::kFirstStartText);
  if (window.focusHotKeyOnActivate) window.hotKeyField.Focus();
  // Continuous recognition starts here; in hot-key mode the key starts it, and with a mouse
  // button chosen its press does, as after any release of it.
  if (!window.hotKeyModeBox.Checked() && !ButtonStartsRecognition(window))
    window.startButton.Click();
}

void WriteClosingSettings(MainWindow& window) {
  WriteHotKeyName(HotKeyText(window.hotKeyField.Code()));
  // A scale being typed that is no whole number yet keeps the file's; closing goes on.
  if (const auto scale = ParseInt32(window.scaleField.Text())) WriteScale(*scale);
}

void OnCloseRequest(MainWindow& window) {
  // The settings first: when they cannot be written, the error is shown and the program goes on
  // exactly as before the request, its hook, hot key and loops untouched.
  WriteClosingSettings(window);
  platform::UninstallMouseHook();
  StopEveryLoop(window.state);
  platform::UnregisterHotKey();
  window.trayIcon.Delete();
  platform::ExitProcess(0);
}

void ExitFromTray(MainWindow& window) {
  SharedState& s = window.state;
  const bool stopped = s.stopped, playbackActive = s.playbackActive, placingStart = s.placingStart;
  const auto resume = [&] {
    s.stopped = stopped;
    s.playbackActive = playbackActive;
    s.placingStart = placingStart;
  };
  StopEveryLoop(s);
  // Only a close that failed comes back, here or as its error: the loops go on as before.
  try {
    window.frame.Close();
  } catch (const Error&) {
    resume();
    throw;
  }
  resume();
}

}  // namespace vetrix

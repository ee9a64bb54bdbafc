// The main window: its controls, created in tab order, and the shared state its handlers work
// on. It knows no handler; shell/bindings.cpp ties the controls to them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "store/settings.h"
#include "store/shared_state.h"

namespace vetrix {

// The window's outer size when it is created, and the smallest the user can make it.
inline constexpr Size kMainWindowSize{596, 406};
inline constexpr Size kMainWindowMinimumSize{596, 404};

// Recognition's notice that a gesture fired: its row, its action as the table holds it, and
// the time on the system's clock.
struct Firing {
  int row = 0;
  std::string action;
  std::uint64_t ms = 0;
};

// What recognition tells the attempt trace (recognition/attempt_trace.h): a run's start and
// stop at the start button's toggle, each pass once it has followed every gesture (before any
// fires), each return from the pump after a pass, and the end of a run's loop.
struct TraceNotice {
  enum class Kind { RunStarted, RunStopped, Pass, Pumped, RunEnded };
  Kind kind;
  // A pass: the point its movement was measured from, and whether the pass took the cursor
  // as the next one (a counted movement, or a pause).
  Point anchor;
  bool anchorMoved = false;
};

// Recognition's notice that a run starts: whether a trigger started it (the chosen mouse
// button's press, or hot-key mode, whose run ends by itself after one gesture) rather than the
// continuous mode, and where the pointer was.
struct RunStart {
  bool triggered = false;
  Point at;
};

class MainWindow {
 public:
  MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  SharedState state;

  platform::Window frame;
  platform::Image drawingArea;
  platform::Button startButton;
  platform::Button recordButton;
  platform::ListBox gestureList;
  platform::Button deleteGestureButton;
  platform::ListBox actionList;
  platform::HotKeyField hotKeyField;
  platform::CheckBox hotKeyModeBox;
  platform::SpinEdit scaleField;
  platform::CheckBox exactModeBox;
  platform::Button hideButton;
  platform::GroupBox mouseGroup;
  platform::CheckBox mouseTriggerBox;
  platform::CheckBox leftButtonRadio;
  platform::CheckBox rightButtonRadio;
  platform::CheckBox middleButtonRadio;
  platform::ComboBox savedCommandBox;
  platform::Button addCommandButton;
  platform::Button deleteCommandButton;
  // Ends a matching attempt that has not completed within 3 seconds.
  platform::Timer attemptTimer;
  platform::TrayIcon trayIcon;
  platform::PopupMenu trayMenu;  // "Восстановить" / "Выход"
  platform::PopupMenu bindMenu;  // the action list's "Файл" / "Команда"

  // Told of every firing, in the order they subscribed, before the action runs.
  std::vector<std::function<void(const Firing&)>> firingListeners;
  // Empty unless "TraceFile" is set. Told of a pass inside it: a listener neither allocates
  // nor writes there.
  std::vector<std::function<void(const TraceNotice&)>> traceListeners;
  // Told when each run of recognition starts and when it ends, nested runs too (an inner run
  // ends before the run it is nested in).
  std::vector<std::function<void(const RunStart&)>> runStartListeners;
  std::vector<std::function<void()>> runEndListeners;
  // Told at every pass of a run of where it sampled the pointer, and whether recognition is
  // paused there.
  std::vector<std::function<void(Point cursor, bool paused)>> passSampleListeners;
  // Set by the mouse trigger just before the click that a button press makes; the run that
  // click starts takes it.
  bool buttonPressStartsRun = false;

  // The start-up registration of the hot key failed: the key field takes the focus when the
  // window is first activated.
  bool focusHotKeyOnActivate = false;
  // Which chosen trigger button the hook library holds back.
  HoldButton holdButton = HoldButton::Right;
  // Which windows in front pause recognition.
  PauseRules pauseRules;
  // Whether a triggered run draws its trail, and tips are shown.
  FeedbackOptions feedback;

  // The scale field's last whole number, which comes back when the field is left holding none.
  std::int32_t lastValidScale = 15;

  // The [Messages] key of each line in the saved-command box's list, ascending; gaps in the
  // file stay gaps.
  std::vector<int> savedCommandKeys;
};

// The scale field's text as a number, read afresh at every use; a text that is not a whole
// number raises "'%s' is not a valid integer value".
std::int32_t ScaleValue(const MainWindow& window);

// The record button works only while the table has a free row.
void UpdateRecordButton(MainWindow& window);

// The tray picture follows the recognition state: the question mark while running.
void UpdateTrayIcon(MainWindow& window, bool running);

// The row of both lists for the table entry of that index: its number and what its action shows.
void AddGestureRows(MainWindow& window, int row);
// Deletes row `deleted` of both lists of `count` and numbers the later rows down; clears the
// selection.
void RemoveGestureRows(MainWindow& window, int deleted, int count);

}  // namespace vetrix

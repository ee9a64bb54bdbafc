// The main window: its controls, created in tab order, and the shared state its handlers work
// on. It knows no handler; shell/bindings.cpp ties the controls to them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/texts.h"
#include "platform/controls.h"
#include "store/shared_state.h"

namespace vetrix {

// The window's outer size when it is created, and the smallest the user can make it, at 96 DPI.
inline constexpr Size kMainWindowSize{596, 406};
inline constexpr Size kMainWindowMinimumSize{596, 404};

// Where each control stands in the window of that size at 96 DPI (inside the mouse group for
// the four in it). At another DPI each is scaled (base/dpi.h); the layout (shell/layout.cpp)
// then moves and stretches some of them with the window.
namespace design {
inline constexpr Rect kDrawingArea{0, 0, 209, 281};
inline constexpr Rect kStartButton{8, 288, 75, 25};
inline constexpr Rect kRecordButton{88, 288, 83, 25};
inline constexpr Rect kGestureList{208, 0, 30, 281};
inline constexpr Rect kDeleteGestureButton{232, 288, 75, 25};
inline constexpr Rect kActionList{240, 0, 345, 281};
inline constexpr Rect kHotKeyField{8, 320, 121, 19};
inline constexpr Rect kHotKeyModeBox{136, 320, 113, 17};
inline constexpr Rect kScaleField{176, 288, 49, 22};
inline constexpr Rect kExactModeBox{248, 320, 97, 17};
inline constexpr Rect kHideButton{512, 288, 75, 25};
inline constexpr Rect kMouseGroup{320, 280, 185, 41};
inline constexpr Rect kMouseTriggerBox{3, 7, 166, 17};
inline constexpr Rect kLeftButtonRadio{3, 22, 57, 17};
inline constexpr Rect kMiddleButtonRadio{56, 22, 63, 17};
inline constexpr Rect kRightButtonRadio{122, 22, 57, 17};
inline constexpr Rect kSavedCommandBox{8, 344, 417, 21};
inline constexpr Rect kAddCommandButton{432, 344, 75, 25};
inline constexpr Rect kDeleteCommandButton{512, 344, 75, 25};
}  // namespace design

// Where each control stands for a client size at a DPI: its design place scaled, the drawing
// area and the lists grown with the window, the rows under them and the controls on the right
// moved with its edges.
struct ControlPlaces {
  Rect drawingArea, startButton, recordButton, gestureList, deleteGestureButton, actionList,
      hotKeyField, hotKeyModeBox, scaleField, exactModeBox, hideButton, mouseGroup, mouseTriggerBox,
      leftButtonRadio, middleButtonRadio, rightButtonRadio, savedCommandBox, addCommandButton,
      deleteCommandButton;
};
ControlPlaces PlacesFor(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t dpi);

class ProgramActionsDialog;
class RecognitionWatchers;

class MainWindow {
 public:
  MainWindow();
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  SharedState state;

  platform::Window frame;

 private:
  // The controls are made where the layout puts them in the client area the window was given:
  // under Wine that area is not the one designed for, and every control moved after creation
  // cost the server a hundred requests before the window first showed.
  ControlPlaces madeAt_;

 public:
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
  // Ends a matching attempt that has not completed within kAttemptTimeLimitMs.
  platform::Timer attemptTimer;
  platform::TrayIcon trayIcon;
  platform::PopupMenu trayMenu;  // "Восстановить" / "Выход"
  platform::PopupMenu bindMenu;  // the action list's "Файл" / "Команда" (/ "В программах...")
  // The selected gesture's actions per program, once opened; hidden when closed.
  std::unique_ptr<ProgramActionsDialog> programActionsDialog;

  // What hears recognition's notices (recognition/watcher.h), kept here to go with the window;
  // none until the first watch. window/ is below recognition/ and knows the type by its name
  // alone: recognition makes the list, and gives the function that destroys it.
  std::unique_ptr<RecognitionWatchers, void (*)(RecognitionWatchers*)> watchers{nullptr, nullptr};

  // The start-up registration of the hot key failed: the key field takes the focus when the
  // window is first activated.
  bool focusHotKeyOnActivate = false;
  // Started without gesture.ini: the tray icon says where the window went once it has gone
  // there, so the balloon's animation never delays the window's showing.
  bool greetOnActivate = false;
  // The tray tip whenever recognition is not paused: the program's name, or what the user must
  // still see (a trace file refused).
  std::string unpausedTip = texts::kAppTitle.str();

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

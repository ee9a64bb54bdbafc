#include "shell/bindings.h"

#include <memory>

#include "base/texts.h"
#include "capture/exact_recording.h"
#include "capture/gesture_view.h"
#include "capture/playback.h"
#include "capture/recording.h"
#include "capture/scale_field.h"
#include "recognition/feedback.h"
#include "recognition/hot_key.h"
#include "recognition/mouse_trigger.h"
#include "recognition/recognition.h"
#include "recognition/watcher.h"
#include "shell/action_editing.h"
#include "shell/layout.h"
#include "shell/program_actions_window.h"
#include "shell/startup.h"
#include "shell/tray.h"
#include "window/main_window.h"

namespace vetrix {

void BindHandlers(MainWindow& w) {
  w.trayMenu.AddItem(texts::kRestore, [&w] { ShowFromTray(w); });
  w.trayMenu.AddItem(texts::kExit, [&w] { ExitFromTray(w); });
  w.bindMenu.AddItem(
      texts::kFile, [&w] { BindFileToGesture(w); }, /*isDefault=*/true);
  w.bindMenu.AddItem(texts::kCommand, [&w] { BindCommandToGesture(w); });
  w.bindMenu.AddExtendedItem(
      texts::kInPrograms, [&w] { OpenProgramActions(w); },
      [&w] { return ProgramActionsOffered(w); });
  w.actionList.SetContextMenu(&w.bindMenu);

  w.gestureList.onClick = [&w] { DrawGesture(w); };
  w.actionList.onDblClick = [&w] { BindFileToGesture(w); };
  w.hideButton.onClick = [&w] { HideToTray(w); };
  w.recordButton.onClick = [&w] { RecordGesture(w); };
  w.scaleField.onExit = [&w] { OnScaleFieldExit(w); };
  w.drawingArea.onMouseUp = [&w](platform::MouseButton b) { OnDrawingAreaMouseUp(w, b); };
  w.drawingArea.onDblClick = [&w] { PlayBackGesture(w); };
  w.frame.onKeyPress = [&w](char key) { OnKeyPress(w, key); };
  w.frame.onFirstActivate = [&w] { OnFirstActivate(w); };
  w.frame.onResize = [&w] { OnResize(w); };
  w.frame.onTrayMessage = [&w](std::int32_t message) { OnTrayMessage(w, message); };
  w.frame.onHotKey = [&w] { w.startButton.Click(); };
  w.frame.onHookMessage = [&w](std::int32_t message) { OnHookMouseMessage(w, message); };
  w.frame.onHookSilent = [&w](bool silent) { OnHookSilent(w, silent); };
  // Explorer restarted and lost the tray icons: without the icon a hidden window would have no
  // way back.
  w.frame.onTaskbarCreated = [&w] { w.trayIcon.Add(); };
  w.startButton.onClick = [&w] { ToggleRecognition(w); };
  w.deleteGestureButton.onClick = [&w] { DeleteSelectedGesture(w); };
  w.addCommandButton.onClick = [&w] { AddSavedCommand(w); };
  w.deleteCommandButton.onClick = [&w] { DeleteSavedCommand(w); };
  w.scaleField.onChange = [&w] { OnScaleChanged(w); };
  w.hotKeyModeBox.onClick = [&w] { OnHotKeyModeClick(w); };
  w.exactModeBox.onClick = [&w] { OnExactModeClick(w); };
  w.mouseTriggerBox.onClick = [&w] { OnMouseTriggerClick(w); };
  w.leftButtonRadio.onClick = [&w] { OnTriggerButtonClick(w, 1); };
  w.middleButtonRadio.onClick = [&w] { OnTriggerButtonClick(w, 2); };
  w.rightButtonRadio.onClick = [&w] { OnTriggerButtonClick(w, 3); };
  // A firing shows its row in both lists.
  const auto selectRow = [&w](const Firing& f) {
    w.gestureList.Select(f.row);
    w.actionList.Select(f.row);
  };
  Watch(w, std::make_unique<FiringWatcher>(selectRow));
  ShowRecognitionFeedback(w);
  w.attemptTimer.onTimer = [&w] { OnAttemptTimeout(w); };
  w.frame.onClose = [&w] { OnCloseRequest(w); };
}

}  // namespace vetrix

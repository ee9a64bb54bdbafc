#include "shell/action_editing.h"

#include "base/error.h"
#include "base/texts.h"
#include "capture/gesture_view.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "shell/program_actions_window.h"
#include "store/program_actions.h"
#include "store/script_field.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace vetrix {

void AssignAction(MainWindow& window, int row, const std::string& action,
                  const std::string& shown) {
  if (row < 0 || row >= TableSize(window.state.table)) return;
  // The file first: when it cannot be written, the row, the table and the current folder stay
  // as they were, and the window shows what the file holds.
  const SystemPath previousFolder = platform::CurrentDirectory();
  platform::SetCurrentDirectory(window.state.programFolder);
  try {
    WriteAction(row, action);
  } catch (const Error&) {
    platform::SetCurrentDirectory(previousFolder);
    throw;
  }
  window.actionList.SetRowText(row, shown);
  window.state.table.action[row] = action;
}

void WithChosenFile(std::string_view filter, const std::function<void(const std::string&)>& use) {
  const SystemPath before = platform::CurrentDirectory();
  const auto file = platform::OpenFileDialog(filter, ".");
  if (!file) return;
  // The dialog has moved the current folder to the file's; a refusal or a failed write moves
  // it back, so that later writes still reach the file they did.
  try {
    const auto path = Cp1251FromUtf8(file->utf8);
    if (!path) throw Error(texts::kPathNotStorable.str() + Cp1251FromUtf8Lossy(file->utf8));
    use(*path);
  } catch (const Error&) {
    platform::SetCurrentDirectory(before);
    throw;
  }
}

void BindFileToGesture(MainWindow& window) {
  const int row = window.actionList.Selected();
  // The working row of a recording is no gesture yet: refused before the dialog opens.
  if (row < 0 || row >= TableSize(window.state.table)) return;
  WithChosenFile(texts::kOpenFilter,
                 [&](const std::string& action) { AssignAction(window, row, action, action); });
}

void BindCommandToGesture(MainWindow& window) {
  const std::string text = window.savedCommandBox.Text();
  const int row = window.actionList.Selected();
  if (text.empty() || row < 0 || row >= TableSize(window.state.table)) return;
  AssignAction(window, row, "*" + text, "*" + ScriptField(text, 1));
}

void DeleteSelectedGesture(MainWindow& window) {
  const int d = window.gestureList.Selected();
  GestureTable& t = window.state.table;
  const int n = TableSize(t);
  if (d < 0 || d >= n) return;
  // The file first: if it cannot be written, the table and the lists stay as they were
  // instead of showing a state that the file does not hold.
  DeleteGestureFromFile(d, n);
  RemoveGesture(t, d);
  RemoveGestureRows(window, d, n);
  UpdateRecordButton(window);
  ClearDrawing(window);
  RenumberProgramActions(window.state.programActions, d, n);
  // Its gesture may be gone or have another number now.
  CloseProgramActions(window);
}

void AddSavedCommand(MainWindow& window) {
  const std::string text = window.savedCommandBox.Text();
  const std::optional<int> key = NewSavedCommandKey(text);
  if (!key) return;
  WriteSavedCommand(*key, text);
  window.savedCommandBox.AddItem(text);
  window.savedCommandKeys.push_back(*key);
}

void DeleteSavedCommand(MainWindow& window) {
  const int p = window.savedCommandBox.Selected();
  auto& keys = window.savedCommandKeys;
  if (p < 0 || p >= static_cast<int>(keys.size())) return;
  DeleteSavedCommandFromFile(keys, p);
  keys.pop_back();
  window.savedCommandBox.DeleteItem(p);
  window.savedCommandBox.SetText("");
}

}  // namespace vetrix

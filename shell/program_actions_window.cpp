#include "shell/program_actions_window.h"

#include <memory>
#include <string>
#include <string_view>

#include "base/path.h"
#include "base/texts.h"
#include "platform/foreground.h"
#include "shell/action_editing.h"
#include "shell/program_action_editing.h"
#include "store/program_actions.h"
#include "store/script_field.h"
#include "window/main_window.h"
#include "window/program_actions_dialog.h"

namespace vetrix {
namespace {

std::string RowText(const std::string& program, const std::string& action) {
  return program + texts::kProgramRowSeparator.str() +
         (action.empty() ? texts::kNothing.str() : ActionDisplayName(action));
}

// The rows again from the table, as the file holds them; the selection stays on its program,
// or goes to `select` when given.
void ShowRows(MainWindow& w, const std::string& select = {}) {
  ProgramActionsDialog& d = *w.programActionsDialog;
  const int old = d.programList.Selected();
  const std::string selected = !select.empty() ? select
                               : old >= 0 && old < static_cast<int>(d.programs.size())
                                   ? d.programs[old]
                                   : std::string();
  while (d.programList.RowCount() > 0) d.programList.DeleteRow(0);
  d.programs.clear();
  for (const ProgramActions& entry : w.state.programActions) {
    const std::string* action = entry.Find(d.row);
    if (!action) continue;
    d.programList.AddRow(RowText(entry.program, *action));
    d.programs.push_back(entry.program);
  }
  for (int i = 0; i < static_cast<int>(d.programs.size()); ++i)
    if (!selected.empty() && SameFileName(d.programs[i], selected)) d.programList.Select(i);
}

// The selected row's program; empty when none is selected.
std::string SelectedProgram(const ProgramActionsDialog& d) {
  const int i = d.programList.Selected();
  return i >= 0 && i < static_cast<int>(d.programs.size()) ? d.programs[i] : std::string();
}

std::string_view WithoutSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A program gets a row that does nothing until its action is bound; one that has a row already
// is only selected.
void AddProgram(MainWindow& w, const std::string& typed) {
  ProgramActionsDialog& d = *w.programActionsDialog;
  const std::string program(FileNameOf(WithoutSpaces(typed)));
  if (program.empty()) return;
  const ProgramActions* entry = FindProgram(w.state.programActions, program);
  if (!entry || !entry->Find(d.row)) SetProgramAction(w, d.row, program, "");
  ShowRows(w, program);
}

void SetSelected(MainWindow& w, const std::string& action) {
  ProgramActionsDialog& d = *w.programActionsDialog;
  const std::string program = SelectedProgram(d);
  if (program.empty()) return;
  SetProgramAction(w, d.row, program, action);
  ShowRows(w);
}

void BindHandlers(MainWindow& w) {
  ProgramActionsDialog& d = *w.programActionsDialog;
  d.fileButton.onClick = [&w] {
    if (SelectedProgram(*w.programActionsDialog).empty()) return;
    WithChosenFile(texts::kOpenFilter, [&w](const std::string& file) { SetSelected(w, file); });
  };
  d.programList.onDblClick = d.fileButton.onClick;
  d.commandButton.onClick = [&w] {
    const std::string text = w.savedCommandBox.Text();
    if (!text.empty()) SetSelected(w, "*" + text);
  };
  d.nothingButton.onClick = [&w] { SetSelected(w, ""); };
  d.removeButton.onClick = [&w] {
    ProgramActionsDialog& dialog = *w.programActionsDialog;
    const std::string program = SelectedProgram(dialog);
    if (program.empty()) return;
    const int at = dialog.programList.Selected();
    RemoveProgramAction(w, dialog.row, program);
    ShowRows(w);
    const int rows = dialog.programList.RowCount();
    dialog.programList.Select(at < rows ? at : rows - 1);
  };
  d.addButton.onClick = [&w] { AddProgram(w, w.programActionsDialog->programBox.Text()); };
  d.browseButton.onClick = [&w] {
    WithChosenFile(texts::kProgramFilter, [&w](const std::string& file) { AddProgram(w, file); });
  };
  d.closeButton.onClick = [&w] { CloseProgramActions(w); };
  d.frame.onClose = d.closeButton.onClick;
  d.frame.onResize = [&w] { w.programActionsDialog->LayOut(); };
}

}  // namespace

bool ProgramActionsOffered(const MainWindow& window) {
  return !window.state.programActions.empty();
}

void OpenProgramActions(MainWindow& w) {
  const int row = w.actionList.Selected();
  if (row < 0 || row >= TableSize(w.state.table)) return;
  // One such window at a time, for the gesture asked last.
  w.programActionsDialog = std::make_unique<ProgramActionsDialog>(w.frame, row);
  BindHandlers(w);
  for (const platform::VisibleProgram& program : platform::VisiblePrograms())
    w.programActionsDialog->programBox.AddItem(program.name, program.path);
  ShowRows(w);
  if (w.programActionsDialog->programList.RowCount() > 0)
    w.programActionsDialog->programList.Select(0);
  w.programActionsDialog->frame.ShowCentered();
}

void CloseProgramActions(MainWindow& w) {
  // Hidden, not destroyed: this may run inside one of its own handlers.
  if (w.programActionsDialog) w.programActionsDialog->frame.Hide();
}

}  // namespace vetrix

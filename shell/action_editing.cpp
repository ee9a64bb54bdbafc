#include "shell/action_editing.h"

#include "capture/drawing.h"
#include "platform/system.h"
#include "recognition/script_field.h"
#include "shell/main_form.h"
#include "store/settings.h"
#include "text/texts.h"

namespace vetrix {

void List1Click(MainForm& form) { DrawGesture(form); }

void List2DblClick(MainForm& form) {
  const int row = form.List2.Selected();
  if (row < 0) return;
  const auto file = platform::OpenFileDialog(texts::kOpenFilter, ".");
  if (!file) return;
  AssignAction(form, row, *file, *file);
}

void N2Click(MainForm& form) {
  const std::string text = form.MSL.Text();
  const int row = form.List2.Selected();
  if (text.empty() || row < 0) return;
  AssignAction(form, row, "*" + text, "*" + ScriptField(text, 1));
}

void Button3Click(MainForm& form) {
  const int selected = form.List1.Selected();
  if (selected >= 0) DeleteGesture(form, selected);
}

void Button5Click(MainForm& form) { AddSavedCommand(form); }
void Button6Click(MainForm& form) { DeleteSavedCommand(form); }

}  // namespace vetrix

#include "recognition/action.h"

#include "platform/system.h"
#include "recognition/command_script.h"
#include "shell/main_form.h"
#include "text/path.h"

namespace vetrix {

void OpenActionFile(MainForm& form, int j) {
  const std::string& file = form.s.table.Action[j];
  form.s.ActionDirectory = FolderOf(file);
  platform::ShellOpen(file, form.s.ActionDirectory);
}

void RunAction(MainForm& form, int j) {
  const std::string& action = form.s.table.Action[j];
  if (action.empty()) return;
  if (action[0] == '*') {
    // A copy: a command sent to our own window runs handlers that may change the table.
    RunCommandScript(std::string(action));
  } else {
    OpenActionFile(form, j);
  }
}

}  // namespace vetrix

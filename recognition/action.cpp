#include "recognition/action.h"

#include "base/path.h"
#include "platform/system.h"
#include "recognition/command_script.h"
#include "window/main_window.h"

namespace vetrix {

void OpenActionFile(MainWindow& window, int j) {
  const std::string& file = window.state.table.action[j];
  window.state.actionFolder = FolderOf(file);
  platform::ShellOpen(file, window.state.actionFolder);
}

void RunAction(MainWindow& window, int j) {
  const std::string& action = window.state.table.action[j];
  if (action.empty()) return;
  if (action[0] == '*') {
    // A copy: a command sent to our own window runs handlers that may change the table.
    RunCommandScript(std::string(action));
  } else {
    OpenActionFile(window, j);
  }
}

}  // namespace vetrix

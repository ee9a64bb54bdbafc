#include "recognition/action.h"

#include "base/path.h"
#include "platform/system.h"
#include "recognition/command_script.h"
#include "window/main_window.h"

namespace vetrix {

void RunAction(MainWindow& window, const std::string& action) {
  if (action.empty()) return;
  if (action[0] == '*') {
    // A copy: a command sent to our own window runs handlers that may change the table.
    RunCommandScript(std::string(action));
  } else {
    window.state.actionFolder = FolderOf(action);
    platform::ShellOpen(action, window.state.actionFolder);
  }
}

void RunAction(MainWindow& window, int j) { RunAction(window, window.state.table.action[j]); }

}  // namespace vetrix

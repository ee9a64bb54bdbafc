#include "platform/program.h"

#include "platform/handler.h"
#include "platform/system.h"
#include "shell/bindings.h"
#include "shell/layout.h"
#include "shell/startup.h"
#include "window/main_window.h"

namespace vetrix {

int ProgramMain() {
  // A second instance ends at once, silently, touching nothing.
  if (!platform::AcquireInstanceGuard()) return 0;
  MainWindow window;
  BindHandlers(window);
  platform::RunHandler([&] { OnCreate(window); });
  platform::RunHandler([&] { OnResize(window); });
  window.frame.ShowCentered();
  platform::RunMessageLoop();
  return 0;
}

}  // namespace vetrix

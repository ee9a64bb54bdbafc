#include "shell/program.h"

#include "platform/dispatch.h"
#include "platform/system.h"
#include "shell/form_create.h"
#include "shell/layout.h"
#include "shell/main_form.h"

namespace vetrix {

int ProgramMain() {
  // A second instance ends at once, silently, touching nothing.
  if (!platform::AcquireInstanceGuard()) return 0;
  MainForm form;
  platform::RunHandler([&] { FormCreate(form); });
  platform::RunHandler([&] { FormResize(form); });
  form.window.ShowCentered();
  platform::RunMessageLoop();
  return 0;
}

}  // namespace vetrix

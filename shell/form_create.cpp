#include "shell/form_create.h"

#include "platform/profile.h"
#include "recognition/hot_key.h"
#include "shell/main_form.h"
#include "store/settings.h"
#include "text/path.h"
#include "text/texts.h"

namespace vetrix {

void FormCreate(MainForm& form) {
  SharedState& s = form.s;
  form.window.SetTitle(texts::kMainTitle);
  s.CommitRequested = false;
  // Ticking an option from here runs its handler, which forces recognition to "stopped"
  // through the start button; so recognition is stopped when creation ends.
  LoadOptions(form);
  form.tray.Add();
  RegisterHotKeyAtStartup(form);
  const platform::Rect area = form.Image1.Bounds();
  s.DrawingRect = {0, 0, area.width, area.height};
  s.ExeDirectory = FolderOf(platform::ExecutablePath());
  LoadSavedCommands(form);
  LoadGestures(form);
}

void Button3Click(MainForm& form) {
  const int selected = form.List1.Selected();
  if (selected >= 0) DeleteGesture(form, selected);
}

void Button5Click(MainForm& form) {
  AddSavedCommand(form);
}
void Button6Click(MainForm& form) {
  DeleteSavedCommand(form);
}

}  // namespace vetrix

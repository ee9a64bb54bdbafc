#include "shell/form_create.h"

#include "platform/profile.h"
#include "platform/system.h"
#include "recognition/hot_key.h"
#include "shell/main_form.h"
#include "shell/tray.h"
#include "store/settings.h"
#include "text/path.h"
#include "text/texts.h"

namespace vetrix {
namespace {

void StopEveryLoop(SharedState& s) {
  s.Stopped = true;
  s.PlaybackActive = false;
  s.PlacingStart = false;
}

}  // namespace

void FormCreate(MainForm& form) {
  SharedState& s = form.s;
  form.window.SetTitle(texts::kMainTitle);
  form.window.TrimOwnerMenu();
  s.CommitRequested = false;
  // Ticking an option from here runs its handler, which forces recognition to "stopped"
  // through the start button; so recognition is stopped when creation ends.
  LoadOptions(form);
  platform::UnregisterHotKey();
  form.tray.Add();
  RegisterHotKeyAtStartup(form);
  const platform::Rect area = form.Image1.Bounds();
  s.DrawingRect = {0, 0, area.width, area.height};
  s.ExeDirectory = FolderOf(platform::ExecutablePath());
  LoadSavedCommands(form);
  LoadGestures(form);
  platform::InstallMouseHook();
}

void FormActivate(MainForm& form) {
  form.s.FormActivated = true;
  HideToTray(form);
  if (form.focusHotKeyOnActivate) form.HK.Focus();
  if (!form.CB.Checked()) form.Button1.Click();
}

void FormCloseQuery(MainForm& form) {
  platform::UninstallMouseHook();
  StopEveryLoop(form.s);
  platform::UnregisterHotKey();
  // A failed write ends closing here: the error is shown and the program keeps running.
  WriteClosingSettings(form);
  form.tray.Delete();
  platform::ExitProcess(0);
}

void Exit1Click(MainForm& form) {
  StopEveryLoop(form.s);
  form.window.Close();
}

}  // namespace vetrix

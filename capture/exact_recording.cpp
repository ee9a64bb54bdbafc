#include "capture/exact_recording.h"

#include "shell/main_form.h"
#include "store/settings.h"

namespace vetrix {

void CB2Click(MainForm& form) { WriteOption("AR", form.CB2.Checked() ? "yes" : "no"); }

}  // namespace vetrix

#include "capture/drawing.h"

#include "platform/dispatch.h"
#include "shell/main_form.h"
#include "store/number.h"

namespace vetrix {

// The drawing area's bitmap arrives with the gesture drawing; until then there is nothing to
// paint or clear.
void DrawGesture(MainForm&) {}
void ClearDrawing(MainForm&) {}
void ResizeDrawing(MainForm&, int, int) {}

std::int32_t ScaleValue(MainForm& form) {
  const std::string text = form.SE.Text();
  if (auto value = ParseInt32(text)) return *value;
  throw Error("'" + text + "' is not a valid integer value");
}

void SEChange(MainForm& form) {
  if (form.SE.Text().empty()) form.SE.SetText("0");
  // Setting an equal text changes nothing; a changed one runs this handler again from within.
  form.SE.SetText(std::to_string(ScaleValue(form)));
  DrawGesture(form);
}

}  // namespace vetrix

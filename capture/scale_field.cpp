#include "capture/scale_field.h"

#include <string>

#include "capture/gesture_view.h"
#include "store/number.h"
#include "window/main_window.h"

namespace vetrix {

void OnScaleChanged(MainWindow& window) {
  if (window.scaleField.Text().empty()) window.scaleField.SetText("0");
  // Setting an equal text changes nothing; a changed one runs this handler again from within.
  window.lastValidScale = ScaleValue(window);
  window.scaleField.SetText(std::to_string(window.lastValidScale));
  DrawGesture(window);
}

void OnScaleFieldExit(MainWindow& window) {
  if (!ParseInt32(window.scaleField.Text()))
    window.scaleField.SetText(std::to_string(window.lastValidScale));
  const auto value = ParseInt32(window.scaleField.Text());
  if (!value) return;
  if (*value < 1) window.scaleField.SetText("1");
  if (*value > 30) window.scaleField.SetText("30");
}

}  // namespace vetrix

// The scale field's handlers: the gesture is redrawn at every change of the scale.
#pragma once

namespace vetrix {

class MainWindow;

// Normalises the field's text, then redraws.
void OnScaleChanged(MainWindow& window);
// Leaving the field: a text that is no whole number gives way to the last one that was, and a
// number is pulled back into 1..30.
void OnScaleFieldExit(MainWindow& window);

}  // namespace vetrix

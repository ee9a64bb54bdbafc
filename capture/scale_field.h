// The scale field's handlers: the gesture is redrawn at every change of the scale.
#pragma once

namespace vetrix {

class MainWindow;

// Normalises the field's text, then redraws.
void OnScaleChanged(MainWindow& window);
// Leaving the field pulls a number back into 1..30; other text stays as typed.
void OnScaleFieldExit(MainWindow& window);

}  // namespace vetrix

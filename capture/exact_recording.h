// Exact recording: the user points, inside the drawing area, the direction of the next stroke
// as seen from the end of the gesture so far; it is previewed at once and a left click
// commits it.
#pragma once

#include "platform/controls.h"

namespace vetrix {

class MainWindow;

void ExactRecording(MainWindow& window);
// Mouse release over the drawing area: left commits the preview, right moves the start point.
void OnDrawingAreaMouseUp(MainWindow& window, platform::MouseButton button);
// "Точная запись" ticked or not: saved at once.
void OnExactModeClick(MainWindow& window);

}  // namespace vetrix

// The drawing area of the main window: the gesture selected in the gesture list, drawn from the
// start point at the scale of the scale field.
#pragma once

#include "base/geometry.h"

namespace vetrix {

class MainWindow;

// Where a gesture starts in the drawing area: the start point, kept at 96 DPI, at the window's.
Point DrawingStart(const MainWindow& window);

// Redraws the selected gesture; does nothing at all when none is selected.
void DrawGesture(MainWindow& window);
// Fills the drawing rectangle with the background.
void ClearDrawing(MainWindow& window);

}  // namespace vetrix

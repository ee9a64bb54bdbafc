#pragma once

namespace vetrix {

class MainForm;

// Redraws the gesture selected in List1 in the drawing area.
void DrawGesture(MainForm& form);

}  // namespace vetrix

#pragma once

#include <cstdint>

namespace vetrix {

class MainForm;

// Redraws the gesture selected in List1 in the drawing area.
void DrawGesture(MainForm& form);
// The bitmap takes the area's new size; what fits of the old picture remains.
void ResizeDrawing(MainForm& form, int width, int height);
// Fills DrawingRect with the background.
void ClearDrawing(MainForm& form);
// The scale field's text as a number, read afresh at every use; a text that is not a whole
// number raises "'%s' is not a valid integer value".
std::int32_t ScaleValue(MainForm& form);
// The scale field's change handler: normalises its text, then redraws.
void SEChange(MainForm& form);

}  // namespace vetrix

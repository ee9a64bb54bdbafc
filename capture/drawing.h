// The drawing area: the selected gesture as a chain of arrows from the start point, at the
// scale of the spin field; the start point's placement with the right button; playback of a
// gesture with the real cursor.
#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "store/gesture_table.h"

namespace vetrix {

class MainForm;

inline constexpr platform::Rgb kBlack{0, 0, 0};
inline constexpr platform::Rgb kRed{255, 0, 0};
inline constexpr platform::Rgb kBlue{0, 0, 255};
inline constexpr platform::Rgb kWhite{255, 255, 255};

// One stroke with its arrowhead; returns where it ends.
Point DrawSegment(MainForm& form, Point from, std::int32_t angle);
// The blue start dot with its black outline.
void DrawStartDot(MainForm& form, Point at);
// Redraws the gesture selected in List1; does nothing at all when none is selected.
void DrawGesture(MainForm& form);
// Fills DrawingRect with the background.
void ClearDrawing(MainForm& form);
// The bitmap takes the area's new size; what fits of the old picture remains.
void ResizeDrawing(MainForm& form, int width, int height);
// The scale field's text as a number, read afresh at every use; a text that is not a whole
// number raises "'%s' is not a valid integer value".
std::int32_t ScaleValue(MainForm& form);
// The scale field's change handler: normalises its text, then redraws.
void SEChange(MainForm& form);
// Leaving the scale field pulls a number back into 1..30; other text stays as typed.
void SEExit(MainForm& form);
// Right-button release over the drawing area: starts or ends moving the start point.
void PlaceStartPoint(MainForm& form);
// Double click on the drawing area: moves the real cursor along the selected gesture.
void Image1DblClick(MainForm& form);

}  // namespace vetrix

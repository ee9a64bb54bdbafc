// Exact recording: the user points, inside the drawing area, the direction of the next stroke
// as seen from the end of the gesture so far; it is previewed at once and a left click
// commits it.
#pragma once

#include "platform/controls.h"

namespace vetrix {

class MainForm;

void ExactRecording(MainForm& form);
// Mouse release over the drawing area: left commits the preview, right moves the start point.
void Image1MouseUp(MainForm& form, platform::MouseButton button);
// "Точная запись" ticked or not: saved at once.
void CB2Click(MainForm& form);

}  // namespace vetrix

#include "capture/drawing.h"

#include "shell/main_form.h"

namespace vetrix {

// The drawing area arrives with the gesture drawing; until then a redraw has nothing to paint.
void DrawGesture(MainForm&) {}

}  // namespace vetrix

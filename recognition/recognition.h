// The recognition loop: it runs inside the start button's click handler, samples the cursor
// every 10 ms and follows every gesture stroke by stroke.
#pragma once

#include "store/gesture_table.h"

namespace vetrix {

class MainForm;

// The one entry point: toggles recognition; when it turns it on, returns only once it is off.
void Button1Click(MainForm& form);
void Timer1Timer(MainForm& form);

// Whether the movement from AnchorPoint to CursorPoint matches stroke k of gesture j. Strokes
// at or past the gesture's stroke count never match.
bool SegmentMatches(SharedState& s, int j, int k);

// One pass of the loop without its pump and sleep; exposed for the benchmark.
void RecognitionStep(MainForm& form, bool& anyStarted);

}  // namespace vetrix

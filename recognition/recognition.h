// The recognition loop: it runs inside the start button's click handler, samples the cursor
// every 10 ms and follows every gesture stroke by stroke.
#pragma once

#include "store/shared_state.h"

namespace vetrix {

class MainWindow;

// The one entry point: toggles recognition; when it turns it on, returns only once it is off.
void ToggleRecognition(MainWindow& window);
// A matching attempt ran out of time: every gesture starts afresh.
void OnAttemptTimeout(MainWindow& window);
// Every attempt in progress ends, its failures with it, as at the start of a run.
void DropMatchingAttempts(MainWindow& window);

// Whether the movement from anchorPoint to cursorPoint matches stroke k of gesture j. Strokes
// at or past the gesture's stroke count never match.
bool SegmentMatches(SharedState& s, int j, int k);
// The same in two steps: the movement's direction, measured once per counted movement, and
// the check of one stroke against it.
long double MeasuredDirection(SharedState& s);
bool StrokeMatches(const GestureTable& t, int j, int k, long double direction);

// One pass of the loop without its pump and sleep; exposed for the benchmark.
void RecognitionStep(MainWindow& window, bool& anyStarted);

}  // namespace vetrix

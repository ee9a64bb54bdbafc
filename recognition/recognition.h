// The recognition loop: it runs inside the start button's click handler, looks at the cursor at
// the pace platform/pacer.h sets (every 10 ms while it moves, not at all while it rests) and
// follows every gesture stroke by stroke. Its watchers (recognition/watcher.h) hear what it does.
#pragma once

#include <cstdint>

#include "store/shared_state.h"

namespace vetrix {

class MainWindow;

// The one entry point: toggles recognition; when it turns it on, returns only once it is off.
void ToggleRecognition(MainWindow& window);
// The attempt timer ran out: the watchers hear it, then every gesture starts afresh.
void OnAttemptTimeout(MainWindow& window);
// Every attempt in progress ends, its failures with it, as at the start of a run.
void DropMatchingAttempts(MainWindow& window);

// Whether the movement from anchorPoint to cursorPoint matches a stroke, in two steps: the
// movement's direction in whole degrees, 0 to 360, measured once per counted movement, and the
// check of one stroke of one gesture against it: less than kAngleTolerance apart, also across
// 360. Strokes at or past the gesture's stroke count never match.
std::int32_t MeasuredDirection(SharedState& state);
bool StrokeMatches(const GestureTable& table, int gesture, int stroke, std::int32_t direction);

// One pass of the loop without its pump and sleep; exposed for the benchmark.
void RecognitionStep(MainWindow& window, bool& anyStarted);

}  // namespace vetrix

// Recording a new gesture into the first free table row, freely or exactly, and the keys that
// finish (Esc), undo or cancel it (Backspace).
#pragma once

#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "store/shared_state.h"

namespace vetrix {

class MainWindow;

// The last stroke's angle before the first stroke.
inline constexpr float kNoStroke = 999;

// How far the hand must move for a new stroke: pixels at 96 DPI.
inline constexpr long double kStrokeDistance = 20;

// Free recording's rule for one look at the pointer: the movement from the anchor makes a new
// stroke when it is longer than kStrokeDistance at the anchor's DPI and its direction,
// quantised, differs from the last stroke's. Returns the new stroke's angle.
std::optional<std::int32_t> FreeStroke(Movement& move, Point anchor, Point cursor, float lastAngle,
                                       std::int32_t dpi);

// The record button: records into the working row until Esc, Backspace or a full row ends it.
void RecordGesture(MainWindow& window);
// A character typed anywhere in the window: Esc finishes a recording or a playback, Backspace
// takes back the last stroke or cancels the recording.
void OnKeyPress(MainWindow& window, char key);

// Used by the exact mode.
void CommitStroke(MainWindow& window);
void FinishRecording(MainWindow& window);

}  // namespace vetrix

// Everything the handlers share besides the controls: the table, the flags that stop the loops,
// the points the loops measure from, and the settings that have no control of their own.
#pragma once

#include <cstdint>
#include <string>

#include "base/dpi.h"
#include "base/geometry.h"
#include "base/path.h"
#include "store/gesture_table.h"
#include "store/program_actions.h"
#include "store/settings.h"

namespace vetrix {

// Components and direction of the last measured movement, shared by recording and recognition.
struct Movement {
  float dx = 0;
  float dy = 0;
  float angle = 0;
};

struct DrawingRectangle {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct SharedState {
  GestureTable table;
  // Actions of their own for the programs that have any; empty for most files.
  ProgramActionTable programActions;

  bool stopped = true;
  bool oneShot = false;
  bool playbackActive = false;
  // From a press of the record button until its recording has ended and the buttons are back.
  bool recordingRuns = false;
  // A recording owns the working row at gestureCount (its list rows exist).
  bool recording = false;
  bool placingStart = false;
  bool commitRequested = false;
  bool windowActivated = false;
  // Set by the mouse trigger just before the click that a button press makes; the run that
  // click starts takes it.
  bool buttonPressStartsRun = false;
  // The window in front is one that recognition stays out of; the only thing a pass asks.
  bool paused = false;
  // The program recognition is paused for, while paused.
  std::string pausedFor;

  Point cursorPoint, anchorPoint, startPoint, penPoint, previewEnd, playbackPoint;
  // The DPI of the monitor the anchor lies on, asked when the anchor is set: recognition and
  // free recording measure the hand's movement in its pixels.
  std::int32_t anchorDpi = kBaseDpi;
  // Where the start point was when its placement began.
  Point placingFrom;

  Movement move;
  float lastAngle = 0;
  std::int32_t recordedStrokes = 0;
  std::int32_t playbackStep = 0;
  std::int32_t matchFailures = 0;
  std::string angleListText;
  SystemPath programFolder;
  std::string actionFolder;
  DrawingRectangle drawingRect;

  // Which chosen trigger button the hook library holds back.
  HoldButton holdButton = HoldButton::Right;
  // Which windows in front pause recognition.
  PauseRules pauseRules;
  // Whether a triggered run draws its trail, and tips are shown.
  FeedbackOptions feedback;

  std::int32_t hotKeyModifiers = 0;
  std::uint16_t hotKeyCode = 0;
  std::int32_t buttonMessages[4]{};
};

}  // namespace vetrix

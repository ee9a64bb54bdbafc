#include "capture/recording.h"

#include <cmath>

#include "base/error.h"
#include "base/texts.h"
#include "capture/direction.h"
#include "capture/drawing.h"
#include "capture/exact_recording.h"
#include "capture/gesture_view.h"
#include "platform/pacer.h"
#include "platform/system.h"
#include "store/angle_list.h"
#include "store/settings.h"
#include "window/main_window.h"

namespace vetrix {
namespace {

constexpr char kBackspace = 8;
constexpr char kEscape = 27;

void RemoveWorkingRows(MainWindow& window) {
  const int row = window.state.table.gestureCount;
  window.gestureList.DeleteRow(row);
  window.actionList.DeleteRow(row);
}

void FreeRecording(MainWindow& window) {
  SharedState& s = window.state;
  const Size screen = platform::ScreenSize();
  const Point centre{screen.width / 2, screen.height / 2};
  const Point before = platform::GetCursorPos();
  platform::SetCursorPos(centre);
  // The anchor is where the pointer is reported: the centre, or the old place where the warp
  // does not take (the pointer clipped or held by another program). But Wine now and then
  // reports the old place once more after the centre has shown, even at the first read after
  // the warp. So while every read has reported the old place, the first report of the centre
  // moves the anchor there; and once the centre has been reported, a report of the old place
  // counts as the centre until the pointer has been seen somewhere else: a hand cannot bring
  // the pointer back to that very pixel without passing elsewhere, while a count of passes or
  // a time would either drop real strokes or let a late report through.
  s.anchorPoint = platform::GetCursorPos();
  s.anchorDpi = platform::DpiAt(s.anchorPoint);
  bool onlyOldPlaceSeen = before != centre && s.anchorPoint == before;
  bool echoPossible = before != centre && s.anchorPoint == centre;
  platform::Pacer pacer(1);
  while (!s.stopped) {
    s.cursorPoint = platform::GetCursorPos();
    if (onlyOldPlaceSeen && s.cursorPoint == centre) {
      s.anchorPoint = centre;
      s.anchorDpi = platform::DpiAt(s.anchorPoint);
      echoPossible = true;
    }
    if (s.cursorPoint != before) onlyOldPlaceSeen = false;
    if (echoPossible && s.cursorPoint == before) s.cursorPoint = centre;
    if (s.cursorPoint != centre) echoPossible = false;
    if (const auto a = FreeStroke(s.move, s.anchorPoint, s.cursorPoint, s.lastAngle, s.anchorDpi)) {
      s.table.angles[s.table.gestureCount][s.recordedStrokes] = *a;
      s.lastAngle = static_cast<float>(*a);
      s.anchorPoint = s.cursorPoint;
      s.anchorDpi = platform::DpiAt(s.anchorPoint);
      s.penPoint =
          DrawStroke(window.drawingArea, s.penPoint, *a, ScaleValue(window), window.frame.Dpi());
      CommitStroke(window);
    }
    const bool handled = platform::ProcessMessages();
    pacer.AfterPass(s.cursorPoint, s.stopped, handled);
  }
}

}  // namespace

std::optional<std::int32_t> FreeStroke(Movement& move, Point anchor, Point cursor, float lastAngle,
                                       std::int32_t dpi) {
  const float a = RecordDirection(move, MoveX(anchor, cursor), MoveY(anchor, cursor));
  const long double distance = std::sqrt(static_cast<long double>(move.dx) * move.dx +
                                         static_cast<long double>(move.dy) * move.dy);
  if (a == lastAngle || !(distance > ScaledDistance(kStrokeDistance, dpi))) return std::nullopt;
  return static_cast<std::int32_t>(RoundHalfEven(a));
}

void CommitStroke(MainWindow& window) {
  SharedState& s = window.state;
  ++s.recordedStrokes;
  s.table.strokeCount[s.table.gestureCount] = s.recordedStrokes;
  // A row holds 101 strokes: the recording ends there, saved as if Esc had been pressed.
  if (s.recordedStrokes >= kMaxStrokes) FinishRecording(window);
}

void RecordGesture(MainWindow& window) {
  SharedState& s = window.state;
  if (s.recordingRuns) return;
  // A full table has no working row; the record button is disabled then.
  if (s.table.gestureCount >= kMaxGestures || s.table.gestureCount < 0) return;
  s.recordingRuns = true;
  window.recordButton.SetCaption(texts::kRecording);
  window.deleteGestureButton.SetEnabled(false);
  s.recordedStrokes = 0;
  s.stopped = false;
  s.recording = true;
  // However the recording ends (finished, cancelled, interrupted, or by an error such as a
  // scale that is not a number), the buttons come back, and the list rows of a gesture that
  // was not counted go, so that rows keep naming their own gestures.
  struct Done {
    MainWindow& window;
    const int row;
    ~Done() {
      window.state.recording = false;
      if (window.state.table.gestureCount == row && window.gestureList.RowCount() > row)
        RemoveWorkingRows(window);
      window.state.stopped = true;
      window.recordButton.SetCaption(texts::kRecord);
      window.state.recordingRuns = false;
      window.deleteGestureButton.SetEnabled(true);
      UpdateRecordButton(window);
    }
  } done{window, s.table.gestureCount};

  ClearDrawing(window);
  window.drawingArea.SetPen(kBlack);
  s.penPoint = DrawingStart(window);
  DrawStartDot(window.drawingArea, s.penPoint, window.frame.Dpi());
  s.lastAngle = kNoStroke;
  const int row = s.table.gestureCount;
  s.table.strokeCount[row] = 0;
  window.gestureList.AddRow(std::to_string(row));
  window.actionList.AddRow("");
  window.gestureList.Select(row);
  if (window.exactModeBox.Checked()) {
    s.stopped = false;
    ExactRecording(window);
  } else {
    FreeRecording(window);
  }
}

void FinishRecording(MainWindow& window) {
  SharedState& s = window.state;
  GestureTable& t = s.table;
  s.stopped = true;
  s.recording = false;
  t.strokeCount[t.gestureCount] = s.recordedStrokes;
  DrawGesture(window);
  s.angleListText = AngleListText(t.angles[t.gestureCount], s.recordedStrokes);
  // The file first: a gesture that the file does not hold is not counted, and the recording's
  // rows and drawing go as for a cancelled one.
  try {
    WriteFinishedGesture(t.gestureCount + 1, s.angleListText);
  } catch (const Error&) {
    ClearDrawing(window);
    throw;
  }
  ++t.gestureCount;
}

void OnKeyPress(MainWindow& window, char key) {
  SharedState& s = window.state;
  GestureTable& t = s.table;
  // The keys act on a recording only; while recognition alone runs they touch no row.
  if (key == kBackspace && !s.stopped && s.recording) {
    if (s.recordedStrokes > 0) {
      --s.recordedStrokes;
      t.strokeCount[t.gestureCount] = s.recordedStrokes;
      DrawGesture(window);
      s.lastAngle = s.recordedStrokes > 0
                        ? static_cast<float>(t.angles[t.gestureCount][s.recordedStrokes - 1])
                        : kNoStroke;
      s.anchorPoint = s.cursorPoint;
    } else {
      s.stopped = true;
      s.recording = false;
      ClearDrawing(window);
      RemoveWorkingRows(window);
    }
    return;
  }
  if (key != kEscape) return;
  if (s.playbackActive) s.playbackActive = false;
  if (!s.stopped && s.recording) FinishRecording(window);
}

}  // namespace vetrix

#include "capture/recording.h"

#include <cmath>

#include "capture/direction.h"
#include "capture/drawing.h"
#include "capture/exact_recording.h"
#include "platform/system.h"
#include "shell/main_form.h"
#include "store/angle_list.h"
#include "store/settings.h"
#include "text/texts.h"

namespace vetrix {
namespace {

constexpr float kNoStroke = 999;
constexpr char kBackspace = 8;
constexpr char kEscape = 27;

void RemoveWorkingRows(MainForm& form) {
  const int row = form.s.table.GestureCount;
  form.List1.DeleteRow(row);
  form.List2.DeleteRow(row);
}

void FreeRecording(MainForm& form) {
  SharedState& s = form.s;
  const platform::Size screen = platform::ScreenSize();
  platform::SetCursorPos({screen.width / 2, screen.height / 2});
  s.AnchorPoint = platform::GetCursorPos();
  while (!s.Stopped) {
    s.CursorPoint = platform::GetCursorPos();
    const float a = RecordDirection(s.move, MoveX(s.AnchorPoint, s.CursorPoint),
                                    MoveY(s.AnchorPoint, s.CursorPoint));
    const long double distance = std::sqrt(static_cast<long double>(s.move.MoveDx) * s.move.MoveDx +
                                           static_cast<long double>(s.move.MoveDy) * s.move.MoveDy);
    if (a != s.LastAngle && distance > 20) {
      s.table.Angles[s.table.GestureCount][s.RecordedSegments] =
          static_cast<std::int32_t>(RoundHalfEven(a));
      s.LastAngle = a;
      s.AnchorPoint = s.CursorPoint;
      s.PenPoint = DrawSegment(form, s.PenPoint, static_cast<std::int32_t>(RoundHalfEven(a)));
      CommitStroke(form);
    }
    platform::ProcessMessages();
    platform::Sleep(1);
  }
}

}  // namespace

void UpdateRecordButton(MainForm& form) {
  form.Button2.SetEnabled(form.s.table.GestureCount < kMaxGestures);
}

void CommitStroke(MainForm& form) {
  SharedState& s = form.s;
  ++s.RecordedSegments;
  s.table.SegmentCount[s.table.GestureCount] = s.RecordedSegments;
  // A row holds 101 strokes: the recording ends there, saved as if Esc had been pressed.
  if (s.RecordedSegments >= kMaxSegments) FinishRecording(form);
}

void Button2Click(MainForm& form) {
  SharedState& s = form.s;
  if (form.Button2.Caption() != texts::kRecord.view()) return;
  // A full table has no working row; the record button is disabled then.
  if (s.table.GestureCount >= kMaxGestures || s.table.GestureCount < 0) return;
  form.Button2.SetCaption(texts::kRecording);
  form.Button3.SetEnabled(false);
  s.RecordedSegments = 0;
  s.Stopped = false;
  form.recording = true;
  // However the recording ends (finished, cancelled, interrupted, or by an error such as a
  // scale that is not a number), the buttons come back, and the list rows of a gesture that
  // was not counted go, so that rows keep naming their own gestures.
  struct Done {
    MainForm& form;
    const int row;
    ~Done() {
      form.recording = false;
      if (form.s.table.GestureCount == row && form.List1.RowCount() > row) RemoveWorkingRows(form);
      form.s.Stopped = true;
      form.Button2.SetCaption(texts::kRecord);
      form.Button3.SetEnabled(true);
      UpdateRecordButton(form);
    }
  } done{form, s.table.GestureCount};

  ClearDrawing(form);
  form.Image1.SetPen(kBlack);
  s.PenPoint = s.StartPoint;
  DrawStartDot(form, s.PenPoint);
  s.LastAngle = kNoStroke;
  const int row = s.table.GestureCount;
  s.table.SegmentCount[row] = 0;
  form.List1.AddRow(std::to_string(row));
  form.List2.AddRow("");
  form.List1.Select(row);
  if (form.CB2.Checked()) {
    s.Stopped = false;
    ExactRecording(form);
  } else {
    FreeRecording(form);
  }
}

void FinishRecording(MainForm& form) {
  SharedState& s = form.s;
  GestureTable& t = s.table;
  s.Stopped = true;
  form.recording = false;
  t.SegmentCount[t.GestureCount] = s.RecordedSegments;
  DrawGesture(form);
  s.AngleListText = AngleListText(t.Angles[t.GestureCount], s.RecordedSegments);
  ++t.GestureCount;
  WriteFinishedGesture(t.GestureCount, s.AngleListText);
}

void FormKeyPress(MainForm& form, char key) {
  SharedState& s = form.s;
  GestureTable& t = s.table;
  // The keys act on a recording only; while recognition alone runs they touch no row.
  if (key == kBackspace && !s.Stopped && form.recording) {
    if (s.RecordedSegments > 0) {
      --s.RecordedSegments;
      t.SegmentCount[t.GestureCount] = s.RecordedSegments;
      DrawGesture(form);
      s.LastAngle = s.RecordedSegments > 0
                        ? static_cast<float>(t.Angles[t.GestureCount][s.RecordedSegments - 1])
                        : kNoStroke;
      s.AnchorPoint = s.CursorPoint;
    } else {
      s.Stopped = true;
      form.recording = false;
      ClearDrawing(form);
      RemoveWorkingRows(form);
    }
    return;
  }
  if (key != kEscape) return;
  if (s.PlaybackActive) s.PlaybackActive = false;
  if (!s.Stopped && form.recording) FinishRecording(form);
}

}  // namespace vetrix

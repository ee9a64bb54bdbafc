#include "capture/drawing.h"

#include <cstdint>

#include "capture/direction.h"
#include "platform/dispatch.h"
#include "platform/system.h"
#include "shell/main_form.h"
#include "store/number.h"
#include "store/settings.h"

namespace vetrix {
namespace {

// Angles and scales come from the file unchecked; sums wrap instead of overflowing.
std::int32_t Wrap(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}
Point Moved(Point p, Offset o) {
  return {Wrap(static_cast<std::int64_t>(p.x) + o.x), Wrap(static_cast<std::int64_t>(p.y) + o.y)};
}

}  // namespace

std::int32_t ScaleValue(MainForm& form) {
  const std::string text = form.SE.Text();
  if (auto value = ParseInt32(text)) return *value;
  throw Error("'" + text + "' is not a valid integer value");
}

Point DrawSegment(MainForm& form, Point from, std::int32_t angle) {
  platform::Image& image = form.Image1;
  const Point end = Moved(from, DirectionOffset(angle, ScaleValue(form)));
  image.Line(from, end);
  image.SetPen(kRed);
  image.Line(end, Moved(end, DirectionOffset(Wrap(static_cast<std::int64_t>(angle) + 160), 5)));
  image.Line(end, Moved(end, DirectionOffset(Wrap(static_cast<std::int64_t>(angle) - 160), 5)));
  image.SetPen(kBlack);
  return end;
}

void DrawStartDot(MainForm& form, Point at) {
  platform::Image& image = form.Image1;
  image.SetBrush(kBlue);
  image.Ellipse(Wrap(at.x - 3ll), Wrap(at.y - 3ll), Wrap(at.x + 3ll), Wrap(at.y + 3ll));
  image.SetBrush(kWhite);
}

void ClearDrawing(MainForm& form) {
  const DrawingRectangle& r = form.s.DrawingRect;
  form.Image1.FillRect(r.left, r.top, r.right, r.bottom);
}

void DrawGesture(MainForm& form) {
  SharedState& s = form.s;
  const int selected = form.List1.Selected();
  if (selected < 0 || selected >= kMaxGestures) return;
  form.Image1.SetPen(kBlack);
  ClearDrawing(form);
  s.PenPoint = s.StartPoint;
  DrawStartDot(form, s.PenPoint);
  for (int i = 0; i < StrokeCount(s.table, selected); ++i)
    s.PenPoint = DrawSegment(form, s.PenPoint, s.table.Angles[selected][i]);
}

void ResizeDrawing(MainForm& form, int width, int height) {
  form.Image1.SetBitmapSize(width, height);
}

void SEChange(MainForm& form) {
  if (form.SE.Text().empty()) form.SE.SetText("0");
  // Setting an equal text changes nothing; a changed one runs this handler again from within.
  form.SE.SetText(std::to_string(ScaleValue(form)));
  DrawGesture(form);
}

void SEExit(MainForm& form) {
  const auto value = ParseInt32(form.SE.Text());
  if (!value) return;
  if (*value < 1) form.SE.SetText("1");
  if (*value > 30) form.SE.SetText("30");
}

void PlaceStartPoint(MainForm& form) {
  SharedState& s = form.s;
  s.PlacingStart = !s.PlacingStart;
  if (!s.PlacingStart) {
    WriteStartPoint(form);
    return;
  }
  while (s.PlacingStart) {
    s.CursorPoint = platform::GetCursorPos();
    s.StartPoint = DrawingPoint(s.CursorPoint, form.window.Geometry());
    platform::ProcessMessages();
    platform::Sleep(1);
    DrawGesture(form);
  }
}

void Image1DblClick(MainForm& form) {
  SharedState& s = form.s;
  s.CursorPoint = platform::GetCursorPos();
  s.PlaybackPoint = s.CursorPoint;
  s.PlaybackActive = true;
  form.List1.SetEnabled(false);
  // However playback ends, also by a scale that is not a number, the list comes back and the
  // cursor returns; a failed playback must not leave the gesture list disabled for good.
  struct Restore {
    MainForm& form;
    ~Restore() {
      form.List1.SetEnabled(true);
      platform::SetCursorPos(form.s.CursorPoint);
    }
  } restore{form};
  const int selected = form.List1.Selected();
  const int strokes = selected >= 0 && selected < kMaxGestures ? StrokeCount(s.table, selected) : 0;
  for (int i = 0; i < strokes; ++i) {
    const std::int32_t angle = s.table.Angles[selected][i];
    for (s.PlaybackStep = 0; s.PlaybackStep <= 5; ++s.PlaybackStep) {
      if (!s.PlaybackActive) return;
      platform::SetCursorPos(s.PlaybackPoint);
      try {
        s.PlaybackPoint = Moved(s.PlaybackPoint, PlaybackOffset(angle, ScaleValue(form)));
      } catch (const Error&) {
        s.PlaybackActive = false;
        throw;
      }
      platform::Sleep(25);
      platform::ProcessMessages();
    }
  }
}

}  // namespace vetrix

#include "capture/drawing.h"

#include "base/dpi.h"
#include "capture/direction.h"

namespace vetrix {
namespace {

std::int32_t Wrap(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

}  // namespace

Point DrawStroke(platform::Image& image, Point from, std::int32_t angle, std::int32_t scale,
                 std::int32_t dpi) {
  const Point end = Moved(from, DirectionOffset(angle, Scaled(scale, dpi)));
  image.Line(from, end);
  image.SetPen(kRed);
  const std::int32_t head = Scaled(5, dpi);
  image.Line(end, Moved(end, DirectionOffset(Wrap(static_cast<std::int64_t>(angle) + 160), head)));
  image.Line(end, Moved(end, DirectionOffset(Wrap(static_cast<std::int64_t>(angle) - 160), head)));
  image.SetPen(kBlack);
  return end;
}

void DrawStartDot(platform::Image& image, Point at, std::int32_t dpi) {
  const std::int64_t r = Scaled(3, dpi);
  image.SetBrush(kBlue);
  image.Ellipse(Wrap(at.x - r), Wrap(at.y - r), Wrap(at.x + r), Wrap(at.y + r));
  image.SetBrush(kWhite);
}

Point DrawStrokes(platform::Image& image, const GestureTable& table, int row, Point from,
                  std::int32_t scale, std::int32_t dpi) {
  if (row < 0 || row >= kMaxGestures) return from;
  for (int i = 0; i < ReadableStrokeCount(table, row); ++i)
    from = DrawStroke(image, from, table.angles[row][i], scale, dpi);
  return from;
}

Point DrawGesture(platform::Image& image, const GestureTable& table, int row, Point start,
                  std::int32_t scale, std::int32_t dpi) {
  image.SetPen(kBlack);
  DrawStartDot(image, start, dpi);
  return DrawStrokes(image, table, row, start, scale, dpi);
}

}  // namespace vetrix

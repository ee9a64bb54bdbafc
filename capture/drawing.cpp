#include "capture/drawing.h"

#include "capture/direction.h"

namespace vetrix {
namespace {

std::int32_t Wrap(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

}  // namespace

Point DrawStroke(platform::Image& image, Point from, std::int32_t angle, std::int32_t scale) {
  const Point end = Moved(from, DirectionOffset(angle, scale));
  image.Line(from, end);
  image.SetPen(kRed);
  image.Line(end, Moved(end, DirectionOffset(Wrap(static_cast<std::int64_t>(angle) + 160), 5)));
  image.Line(end, Moved(end, DirectionOffset(Wrap(static_cast<std::int64_t>(angle) - 160), 5)));
  image.SetPen(kBlack);
  return end;
}

void DrawStartDot(platform::Image& image, Point at) {
  image.SetBrush(kBlue);
  image.Ellipse(Wrap(at.x - 3ll), Wrap(at.y - 3ll), Wrap(at.x + 3ll), Wrap(at.y + 3ll));
  image.SetBrush(kWhite);
}

Point DrawStrokes(platform::Image& image, const GestureTable& table, int row, Point from,
                  std::int32_t scale) {
  if (row < 0 || row >= kMaxGestures) return from;
  for (int i = 0; i < ReadableStrokeCount(table, row); ++i)
    from = DrawStroke(image, from, table.angles[row][i], scale);
  return from;
}

Point DrawGesture(platform::Image& image, const GestureTable& table, int row, Point start,
                  std::int32_t scale) {
  image.SetPen(kBlack);
  DrawStartDot(image, start);
  return DrawStrokes(image, table, row, start, scale);
}

}  // namespace vetrix

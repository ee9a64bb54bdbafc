// Drawing a gesture: a chain of arrows from a start point, each stroke `scale` pixels long at
// 96 DPI, on any image; at another DPI the strokes, the arrowheads and the dot are scaled, so
// that a gesture keeps its physical size. Angles and scales come from the file unchecked; sums wrap
// instead of overflowing.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "platform/controls.h"
#include "store/gesture_table.h"

namespace vetrix {

inline constexpr platform::Rgb kBlack{0, 0, 0};
inline constexpr platform::Rgb kRed{255, 0, 0};
inline constexpr platform::Rgb kBlue{0, 0, 255};
inline constexpr platform::Rgb kWhite{255, 255, 255};

// One stroke with its arrowhead; returns where it ends.
Point DrawStroke(platform::Image& image, Point from, std::int32_t angle, std::int32_t scale,
                 std::int32_t dpi);
// The blue start dot with its black outline.
void DrawStartDot(platform::Image& image, Point at, std::int32_t dpi);
// The strokes of gesture `row` from `from`; returns where the last one ends.
Point DrawStrokes(platform::Image& image, const GestureTable& table, int row, Point from,
                  std::int32_t scale, std::int32_t dpi);
// The start dot and the strokes, in black; returns where the last stroke ends.
Point DrawGesture(platform::Image& image, const GestureTable& table, int row, Point start,
                  std::int32_t scale, std::int32_t dpi);

}  // namespace vetrix

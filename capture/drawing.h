// Drawing a gesture: a chain of arrows from a start point, each stroke `scale` pixels long, on
// any image. Angles and scales come from the file unchecked; sums wrap instead of overflowing.
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
Point DrawStroke(platform::Image& image, Point from, std::int32_t angle, std::int32_t scale);
// The blue start dot with its black outline.
void DrawStartDot(platform::Image& image, Point at);
// The strokes of gesture `row` from `from`; returns where the last one ends.
Point DrawStrokes(platform::Image& image, const GestureTable& table, int row, Point from,
                  std::int32_t scale);
// The start dot and the strokes, in black; returns where the last stroke ends.
Point DrawGesture(platform::Image& image, const GestureTable& table, int row, Point start,
                  std::int32_t scale);

}  // namespace vetrix

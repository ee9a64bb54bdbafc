// Direction rules: angles in whole degrees counter-clockwise from "right", y axis up.
// Arithmetic is carried in long double (80-bit on x86 GCC and MinGW) and every conversion to
// an integer rounds half to even, so recorded gestures and drawings come out bit for bit.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "store/gesture_table.h"
#include "store/shared_state.h"

namespace vetrix {

// Round to nearest, ties to even.
std::int64_t RoundHalfEven(long double v);

// Quantised to kAngleStep, 0..330; for recording. Leaves its result in angle.
float RecordDirection(Movement& move, std::int32_t dx, std::int32_t dy);

// Whole degrees 0..360 (360 is not folded); for recognition. May replace dx by 1e-7.
float SampleDirection(Movement& move, std::int32_t dx, std::int32_t dy);

struct Offset {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Offset&, const Offset&) = default;
};

// Pixel offset of a stroke in screen orientation (y down).
Offset DirectionOffset(std::int32_t angle, std::int32_t length);
// The playback variant: each component is a fifth of the stroke.
Offset PlaybackOffset(std::int32_t angle, std::int32_t length);
// The point moved by an offset. Angles and scales come from the file unchecked, so the sums
// wrap instead of overflowing.
Point Moved(Point point, Offset offset);

// Screen point to drawing-area point. The +5 is deliberate: drawings and stored start points
// depend on it, so it is not replaced by an exact client-to-screen conversion.
Point DrawingPoint(Point cursor, const WindowGeometry& geometry);

// Movement from F to T: dx = T.x - F.x, dy = F.y - T.y (screen y grows downwards).
inline std::int32_t MoveX(Point from, Point to) { return to.x - from.x; }
inline std::int32_t MoveY(Point from, Point to) { return from.y - to.y; }

}  // namespace vetrix

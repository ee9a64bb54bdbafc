#include "capture/direction.h"

#include <bit>
#include <cmath>

namespace vetrix {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Nearest 32-bit float to 1e-7; it stands in for a zero dx so the division never traps.
const float kTinyDx = std::bit_cast<float>(std::uint32_t{0x33D6BF95});

void Quadrant(MoveWork& w) {
  if (w.MoveDx < 0.0f) {
    w.MoveAngle = static_cast<float>(static_cast<long double>(w.MoveAngle) + 180);
  } else if (w.MoveDy < 0.0f) {
    w.MoveAngle = static_cast<float>(static_cast<long double>(w.MoveAngle) + 360);
  }
}

}  // namespace

std::int64_t RoundHalfEven(long double v) {
  // The default floating-point environment rounds to nearest, ties to even.
  return std::llrint(v);
}

float RecordDirection(MoveWork& w, std::int32_t dx, std::int32_t dy) {
  w.MoveDx = static_cast<float>(dx);
  w.MoveDy = static_cast<float>(dy);
  const long double q =
      static_cast<long double>(w.MoveDy) / (static_cast<long double>(w.MoveDx) + 0.1L);
  w.MoveAngle = static_cast<float>(std::atan(q) * 180 / kPi);
  const std::int64_t k = RoundHalfEven(static_cast<long double>(w.MoveAngle) / AngleStep);
  w.MoveAngle = static_cast<float>(static_cast<std::int32_t>(k) * AngleStep);
  Quadrant(w);
  if (w.MoveAngle == 360.0f) w.MoveAngle = 0.0f;
  return w.MoveAngle;
}

float SampleDirection(MoveWork& w, std::int32_t dx, std::int32_t dy) {
  w.MoveDx = static_cast<float>(dx);
  w.MoveDy = static_cast<float>(dy);
  if (w.MoveDx == 0.0f) w.MoveDx = kTinyDx;
  const long double q = static_cast<long double>(w.MoveDy) / static_cast<long double>(w.MoveDx);
  w.MoveAngle = static_cast<float>(RoundHalfEven(std::atan(q) * 180 / kPi));
  Quadrant(w);
  return w.MoveAngle;
}

Offset DirectionOffset(std::int32_t angle, std::int32_t length) {
  const long double r = static_cast<long double>(angle) / 180 * kPi;
  return {static_cast<std::int32_t>(RoundHalfEven(std::cos(r) * length)),
          static_cast<std::int32_t>(-RoundHalfEven(std::sin(r) * length))};
}

Offset PlaybackOffset(std::int32_t angle, std::int32_t length) {
  const long double r = static_cast<long double>(angle) / 180 * kPi;
  return {static_cast<std::int32_t>(RoundHalfEven(std::cos(r) * length / 5)),
          static_cast<std::int32_t>(-RoundHalfEven(std::sin(r) * length / 5))};
}

Point DrawingPoint(Point cursor, const WindowGeometry& g) {
  return {cursor.x - (g.left + g.width - g.clientWidth) + 5,
          cursor.y - (g.top + g.height - g.clientHeight) + 5};
}

}  // namespace vetrix

#include "capture/direction.h"

#include <bit>
#include <cmath>

namespace vetrix {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Nearest 32-bit float to 1e-7; it stands in for a zero dx so the division never traps.
const float kTinyDx = std::bit_cast<float>(std::uint32_t{0x33D6BF95});

void Quadrant(Movement& move) {
  if (move.dx < 0.0f) {
    move.angle = static_cast<float>(static_cast<long double>(move.angle) + 180);
  } else if (move.dy < 0.0f) {
    move.angle = static_cast<float>(static_cast<long double>(move.angle) + 360);
  }
}

}  // namespace

std::int64_t RoundHalfEven(long double v) {
  // The default floating-point environment rounds to nearest, ties to even.
  return std::llrint(v);
}

float RecordDirection(Movement& move, std::int32_t dx, std::int32_t dy) {
  move.dx = static_cast<float>(dx);
  move.dy = static_cast<float>(dy);
  const long double q =
      static_cast<long double>(move.dy) / (static_cast<long double>(move.dx) + 0.1L);
  move.angle = static_cast<float>(std::atan(q) * 180 / kPi);
  const std::int64_t k = RoundHalfEven(static_cast<long double>(move.angle) / kAngleStep);
  move.angle = static_cast<float>(static_cast<std::int32_t>(k) * kAngleStep);
  Quadrant(move);
  if (move.angle == 360.0f) move.angle = 0.0f;
  return move.angle;
}

float SampleDirection(Movement& move, std::int32_t dx, std::int32_t dy) {
  move.dx = static_cast<float>(dx);
  move.dy = static_cast<float>(dy);
  if (move.dx == 0.0f) move.dx = kTinyDx;
  const long double q = static_cast<long double>(move.dy) / static_cast<long double>(move.dx);
  move.angle = static_cast<float>(RoundHalfEven(std::atan(q) * 180 / kPi));
  Quadrant(move);
  return move.angle;
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

Point Moved(Point p, Offset o) {
  const auto wrap = [](std::int64_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  };
  return {wrap(static_cast<std::int64_t>(p.x) + o.x), wrap(static_cast<std::int64_t>(p.y) + o.y)};
}

Point DrawingPoint(Point cursor, const WindowGeometry& g) {
  return {cursor.x - (g.left + g.width - g.clientWidth) + 5,
          cursor.y - (g.top + g.height - g.clientHeight) + 5};
}

}  // namespace vetrix

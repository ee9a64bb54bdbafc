#include "capture/direction.h"

#include <bit>
#include <cmath>

namespace vetrix {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Nearest 32-bit float to 1e-7; it stands in for a zero dx so the division never traps.
const float kTinyDx = std::bit_cast<float>(std::uint32_t{0x33D6BF95});

void Quadrant(Movement& w) {
  if (w.dx < 0.0f) {
    w.angle = static_cast<float>(static_cast<long double>(w.angle) + 180);
  } else if (w.dy < 0.0f) {
    w.angle = static_cast<float>(static_cast<long double>(w.angle) + 360);
  }
}

}  // namespace

std::int64_t RoundHalfEven(long double v) {
  // The default floating-point environment rounds to nearest, ties to even.
  return std::llrint(v);
}

float RecordDirection(Movement& w, std::int32_t dx, std::int32_t dy) {
  w.dx = static_cast<float>(dx);
  w.dy = static_cast<float>(dy);
  const long double q = static_cast<long double>(w.dy) / (static_cast<long double>(w.dx) + 0.1L);
  w.angle = static_cast<float>(std::atan(q) * 180 / kPi);
  const std::int64_t k = RoundHalfEven(static_cast<long double>(w.angle) / AngleStep);
  w.angle = static_cast<float>(static_cast<std::int32_t>(k) * AngleStep);
  Quadrant(w);
  if (w.angle == 360.0f) w.angle = 0.0f;
  return w.angle;
}

float SampleDirection(Movement& w, std::int32_t dx, std::int32_t dy) {
  w.dx = static_cast<float>(dx);
  w.dy = static_cast<float>(dy);
  if (w.dx == 0.0f) w.dx = kTinyDx;
  const long double q = static_cast<long double>(w.dy) / static_cast<long double>(w.dx);
  w.angle = static_cast<float>(RoundHalfEven(std::atan(q) * 180 / kPi));
  Quadrant(w);
  return w.angle;
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

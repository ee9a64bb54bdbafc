// Display scaling. Every size of the program is given at 96 dots per inch, where it is the
// pixel for pixel; a monitor at another DPI gets it times DPI / 96, so that the window, the
// drawing and the hand distances keep their physical size.
#pragma once

#include <cstdint>

#include "base/geometry.h"

namespace vetrix {

inline constexpr std::int32_t kBaseDpi = 96;

// v × dpi / 96, rounded half away from zero, as Windows' MulDiv does.
constexpr std::int32_t Scaled(std::int32_t v, std::int32_t dpi) {
  if (dpi == kBaseDpi || dpi <= 0) return v;
  const std::int64_t p = static_cast<std::int64_t>(v) * dpi;
  const std::int64_t half = kBaseDpi / 2;
  return static_cast<std::int32_t>(p >= 0 ? (p + half) / kBaseDpi : -((-p + half) / kBaseDpi));
}

// The other way: a physical length at dpi back to 96.
constexpr std::int32_t Unscaled(std::int32_t v, std::int32_t dpi) {
  if (dpi == kBaseDpi || dpi <= 0) return v;
  const std::int64_t p = static_cast<std::int64_t>(v) * kBaseDpi;
  const std::int64_t half = dpi / 2;
  return static_cast<std::int32_t>(p >= 0 ? (p + half) / dpi : -((-p + half) / dpi));
}

constexpr Point Scaled(Point p, std::int32_t dpi) { return {Scaled(p.x, dpi), Scaled(p.y, dpi)}; }
constexpr Point Unscaled(Point p, std::int32_t dpi) {
  return {Unscaled(p.x, dpi), Unscaled(p.y, dpi)};
}
constexpr Size Scaled(Size s, std::int32_t dpi) {
  return {Scaled(s.width, dpi), Scaled(s.height, dpi)};
}

// A rectangle given at 96 DPI: its edges are scaled, not its size, so that controls that meet
// at 96 still meet and controls apart stay apart.
constexpr Rect Scaled(Rect r, std::int32_t dpi) {
  const std::int32_t left = Scaled(r.left, dpi), top = Scaled(r.top, dpi);
  return {left, top, Scaled(r.left + r.width, dpi) - left, Scaled(r.top + r.height, dpi) - top};
}

// A distance of the hand, 96-DPI pixels, measured in pixels at dpi.
constexpr long double ScaledDistance(long double pixelsAt96, std::int32_t dpi) {
  return dpi == kBaseDpi || dpi <= 0 ? pixelsAt96 : pixelsAt96 * dpi / kBaseDpi;
}

}  // namespace vetrix

#include "platform/trail_canvas.h"

#include <algorithm>
#include <cmath>

#include "base/dpi.h"

namespace vetrix::platform {

FeedbackSizes FeedbackSizesAt(std::int32_t dpi) {
  const FeedbackSizes at96;
  return {static_cast<float>(ScaledDistance(at96.trailWidth, dpi)), Scaled(at96.tipOffset, dpi),
          Scaled(at96.tipAbove, dpi), Scaled(at96.tipPadding, dpi)};
}

Rect TrailCanvas::Line(Point from, Point to) {
  const float radius = lineWidth_ / 2;
  // Pixel centres against the line between the two pixels' centres.
  const float ax = static_cast<float>(from.x - origin_.x) + 0.5f;
  const float ay = static_cast<float>(from.y - origin_.y) + 0.5f;
  const float dx = static_cast<float>(to.x - from.x), dy = static_cast<float>(to.y - from.y);
  const float lengthSquared = dx * dx + dy * dy;
  const int reach = static_cast<int>(std::ceil(radius)) + 1;
  const int left = std::max(std::min(from.x, to.x) - origin_.x - reach, 0);
  const int top = std::max(std::min(from.y, to.y) - origin_.y - reach, 0);
  const int right = std::min(std::max(from.x, to.x) - origin_.x + reach + 1, width_);
  const int bottom = std::min(std::max(from.y, to.y) - origin_.y + reach + 1, height_);
  if (left >= right || top >= bottom) return {};
  for (int y = top; y < bottom; ++y) {
    std::uint32_t* row = pixels_ + static_cast<std::ptrdiff_t>(y) * width_;
    for (int x = left; x < right; ++x) {
      const float px = static_cast<float>(x) + 0.5f - ax, py = static_cast<float>(y) + 0.5f - ay;
      const float t =
          lengthSquared > 0 ? std::clamp((px * dx + py * dy) / lengthSquared, 0.0f, 1.0f) : 0.0f;
      const float ex = px - t * dx, ey = py - t * dy;
      // A pixel is a unit square: half a pixel beyond the radius still covers some of it.
      const float cover = std::clamp(radius + 0.5f - std::sqrt(ex * ex + ey * ey), 0.0f, 1.0f);
      const auto alpha = static_cast<std::uint32_t>(std::lround(cover * 255));
      if (alpha > row[x] >> 24) row[x] = Word(alpha);
    }
  }
  return {left, top, right - left, bottom - top};
}

std::uint32_t TrailCanvas::At(Point screen) const {
  const int x = screen.x - origin_.x, y = screen.y - origin_.y;
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::ptrdiff_t>(y) * width_ + x];
}

}  // namespace vetrix::platform

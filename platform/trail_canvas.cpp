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
  // Each row is walked only where the line crosses it: the part of the line within `reach`
  // rows of this one, widened by `reach`. A long diagonal covers a sliver of its box.
  const float band = static_cast<float>(reach);
  for (int y = top; y < bottom; ++y) {
    std::uint32_t* row = pixels_ + static_cast<std::ptrdiff_t>(y) * width_;
    int from = left, to = right;
    if (dy != 0) {
      const float rowY = static_cast<float>(y) + 0.5f - ay;
      const float t0 = std::clamp((rowY - band) / dy, 0.0f, 1.0f);
      const float t1 = std::clamp((rowY + band) / dy, 0.0f, 1.0f);
      const float x0 = ax + std::min(t0, t1) * dx, x1 = ax + std::max(t0, t1) * dx;
      from = std::max(left, static_cast<int>(std::floor(std::min(x0, x1) - band)));
      to = std::min(right, static_cast<int>(std::ceil(std::max(x0, x1) + band)) + 1);
    }
    for (int x = from; x < to; ++x) {
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

std::int32_t TrailReach(float lineWidth) {
  // One more than the pixels Line() walks, so that a box never falls short of them.
  return static_cast<std::int32_t>(std::ceil(lineWidth / 2)) + 2;
}

Rect TrailLineBox(Point from, Point to, float lineWidth) {
  const std::int32_t reach = TrailReach(lineWidth);
  const std::int32_t left = std::min(from.x, to.x) - reach;
  const std::int32_t top = std::min(from.y, to.y) - reach;
  return {left, top, std::max(from.x, to.x) + reach + 1 - left,
          std::max(from.y, to.y) + reach + 1 - top};
}

bool Covers(Rect outer, Rect inner) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

Rect TrailPictureFor(Rect have, Rect line, Rect screen) {
  std::int32_t left = line.left, top = line.top;
  std::int32_t right = line.left + line.width, bottom = line.top + line.height;
  if (have.width > 0 && have.height > 0) {
    left = std::min(left, have.left);
    top = std::min(top, have.top);
    right = std::max(right, have.left + have.width);
    bottom = std::max(bottom, have.top + have.height);
  }
  const std::int32_t roomX = std::max((right - left) / 4, 128);
  const std::int32_t roomY = std::max((bottom - top) / 4, 128);
  left = std::max(left - roomX, screen.left);
  top = std::max(top - roomY, screen.top);
  right = std::min(right + roomX, screen.left + screen.width);
  bottom = std::min(bottom + roomY, screen.top + screen.height);
  if (left >= right || top >= bottom) return {};
  return {left, top, right - left, bottom - top};
}

std::uint32_t TrailCanvas::At(Point screen) const {
  const int x = screen.x - origin_.x, y = screen.y - origin_.y;
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::ptrdiff_t>(y) * width_ + x];
}

}  // namespace vetrix::platform

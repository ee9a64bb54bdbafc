#include "platform/fake/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace vetrix::fake {

using platform::Rgb;

namespace {
constexpr Rgb kWhite{255, 255, 255};
}

Rgb* Bitmap::Row(std::int32_t y) {
  if (rowStart_.empty()) rowStart_.assign(static_cast<std::size_t>(height_), kNoRow);
  std::size_t& start = rowStart_[static_cast<std::size_t>(y)];
  if (start == kNoRow) {
    // Room for the rows a drawing usually touches, then more as needed.
    if (pixels_.capacity() == 0)
      pixels_.reserve(static_cast<std::size_t>(width_) * std::min<std::size_t>(height_, 32));
    start = pixels_.size();
    pixels_.insert(pixels_.end(), static_cast<std::size_t>(width_), background_);
  }
  return pixels_.data() + start;
}

void Bitmap::Resize(std::int32_t width, std::int32_t height) {
  // What is uncovered is white, whatever the background was.
  if (background_ != kWhite) {
    for (std::int32_t y = 0; y < height_; ++y) Row(y);
    background_ = kWhite;
  }
  const std::size_t oldWidth = static_cast<std::size_t>(width_);
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (rowStart_.empty()) return;
  // The rows that have pixels keep them, cut or widened with white.
  const std::size_t newWidth = static_cast<std::size_t>(width_);
  std::vector<std::size_t> rowStart(static_cast<std::size_t>(height_), kNoRow);
  std::vector<Rgb> pixels;
  for (std::size_t y = 0; y < rowStart.size() && y < rowStart_.size(); ++y) {
    if (rowStart_[y] == kNoRow) continue;
    rowStart[y] = pixels.size();
    const auto from = pixels_.begin() + static_cast<std::ptrdiff_t>(rowStart_[y]);
    pixels.insert(pixels.end(), from,
                  from + static_cast<std::ptrdiff_t>(std::min(oldWidth, newWidth)));
    pixels.resize(rowStart[y] + newWidth, kWhite);
  }
  rowStart_ = std::move(rowStart);
  pixels_ = std::move(pixels);
}

void Bitmap::Set(std::int32_t x, std::int32_t y, Rgb color) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) Row(y)[x] = color;
}

Rgb Bitmap::Pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  if (rowStart_.empty() || rowStart_[static_cast<std::size_t>(y)] == kNoRow) return background_;
  return pixels_[rowStart_[static_cast<std::size_t>(y)] + static_cast<std::size_t>(x)];
}

void Bitmap::Fill(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                  Rgb color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return;
  if (left == 0 && top == 0 && right == width_ && bottom == height_) {
    background_ = color;
    rowStart_.clear();
    pixels_.clear();
    return;
  }
  for (std::int32_t y = top; y < bottom; ++y) {
    Rgb* row = Row(y);
    std::fill(row + left, row + right, color);
  }
}

void Bitmap::Line(Point from, Point to, Rgb color) {
  // Bresenham along the major axis, the last point left out as GDI's LineTo does. Each pixel's
  // minor coordinate is computed directly, so only the steps that fall inside the bitmap are
  // walked, however long the line.
  const std::int64_t dx = static_cast<std::int64_t>(to.x) - from.x;
  const std::int64_t dy = static_cast<std::int64_t>(to.y) - from.y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const std::int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
  const std::int64_t steps = std::abs(major);
  if (steps == 0) return;
  const std::int64_t majorStart = xMajor ? from.x : from.y;
  const std::int64_t minorStart = xMajor ? from.y : from.x;
  const std::int64_t extent = xMajor ? width_ : height_;
  const int direction = major > 0 ? 1 : -1;
  // Steps whose major coordinate lies in [0, extent).
  std::int64_t first = 0, last = steps - 1;
  if (direction > 0) {
    first = std::max<std::int64_t>(first, -majorStart);
    last = std::min<std::int64_t>(last, extent - 1 - majorStart);
  } else {
    first = std::max<std::int64_t>(first, majorStart - (extent - 1));
    last = std::min<std::int64_t>(last, majorStart);
  }
  for (std::int64_t i = first; i <= last; ++i) {
    // minor offset = i * minor / steps rounded to nearest. Where the line passes exactly
    // between two pixels, GDI (as measured under Wine) takes the one with the smaller minor
    // coordinate, whichever way the line runs.
    const std::int64_t twice = 2 * i * std::abs(minor) + steps;
    std::int64_t offset = twice / (2 * steps);
    if (twice % (2 * steps) == 0 && offset > 0 && minor > 0) --offset;
    const std::int64_t m = minorStart + (minor >= 0 ? offset : -offset);
    const std::int64_t a = majorStart + direction * i;
    const std::int64_t x = xMajor ? a : m, y = xMajor ? m : a;
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
      Set(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), color);
  }
}

void Bitmap::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                     Rgb pen, Rgb brush) {
  // Pixel centres inside the ellipse inscribed in [left, right) x [top, bottom) are filled;
  // those with a neighbour outside it form the outline.
  const double cx = (static_cast<double>(left) + right) / 2,
               cy = (static_cast<double>(top) + bottom) / 2;
  const double rx = (static_cast<double>(right) - left) / 2,
               ry = (static_cast<double>(bottom) - top) / 2;
  if (rx <= 0 || ry <= 0) return;
  auto inside = [&](std::int32_t x, std::int32_t y) {
    const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
    // Tighter than the true ellipse: this is what GDI fills for the program's 6 x 6 dot.
    return u * u + v * v <= 0.85;
  };
  for (std::int32_t y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
    for (std::int32_t x = std::max(left, 0); x < std::min(right, width_); ++x) {
      if (!inside(x, y)) continue;
      const bool edge =
          !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      Set(x, y, edge ? pen : brush);
    }
  }
}

}  // namespace vetrix::fake

// The fake drawing area's pixels, drawn by the same rules as GDI so that tests check pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/controls.h"

namespace vetrix::fake {

class Bitmap {
 public:
  void Resize(std::int32_t width, std::int32_t height);
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

  void Fill(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
            platform::Rgb color);
  // From `from` towards `to`, without `to` itself.
  void Line(Point from, Point to, platform::Rgb color);
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
               platform::Rgb pen, platform::Rgb brush);
  platform::Rgb Pixel(std::int32_t x, std::int32_t y) const;
  void Set(std::int32_t x, std::int32_t y, platform::Rgb color);

 private:
  static constexpr std::size_t kNoRow = SIZE_MAX;
  // The row's pixels, made on first use; valid until the next row is made.
  platform::Rgb* Row(std::int32_t y);

  std::int32_t width_ = 0, height_ = 0;
  // A row without pixels is all `background_`: clearing the whole area, which every redraw and
  // every new window does, then costs nothing per pixel.
  platform::Rgb background_{255, 255, 255};
  // Where each row's pixels start in pixels_, kNoRow for a row without; empty while no row has
  // pixels. The rows share one buffer, so that a line drawn down the area does not allocate at
  // every row.
  std::vector<std::size_t> rowStart_;
  std::vector<platform::Rgb> pixels_;
};

}  // namespace vetrix::fake

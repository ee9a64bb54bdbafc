// Points, sizes and rectangles in pixels, shared by every layer and both platforms.
#pragma once

#include <cstdint>

namespace vetrix {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A control's place in its parent's client area.
struct Rect {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A top-level window's outer rectangle on the screen and its client size.
struct WindowGeometry {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  std::int32_t clientWidth = 0, clientHeight = 0;
};

}  // namespace vetrix

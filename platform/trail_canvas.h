// The trail's pixels, the same in both worlds: a line of kTrailWidth with round ends and soft
// edges, in one colour, drawn into a premultiplied 32-bit picture (0xAARRGGBB words, rows from
// the top), which is what a layered window shows with per-pixel alpha. Where lines overlap the
// stronger cover wins, so joints do not darken.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "platform/controls.h"

namespace vetrix::platform {

inline constexpr Rgb kTrailColour{232, 64, 32};
inline constexpr float kTrailWidth = 4;

// How far a line's pixels reach beyond its end points, each way.
inline constexpr std::int32_t kTrailReach = 4;

// The part of the screen a line between two points draws on.
Rect TrailLineBox(Point from, Point to);
// The trail's picture covers only the part of the screen drawn on. A line outside `have` (empty:
// no picture yet) needs a larger one: the two together with room around them for the next
// lines (a quarter of the size, at least 128 px each way), within `screen`.
Rect TrailPictureFor(Rect have, Rect line, Rect screen);
// Whether `inner` lies wholly in `outer`.
bool Covers(Rect outer, Rect inner);

class TrailCanvas {
 public:
  // `pixels`: width x height words; `origin`: the screen point of the first one.
  TrailCanvas(std::uint32_t* pixels, std::int32_t width, std::int32_t height, Point origin)
      : pixels_(pixels), width_(width), height_(height), origin_(origin) {}

  // Draws the line between two screen points; returns the picture's pixels it touched (empty
  // when none).
  Rect Line(Point from, Point to);
  // The word at a screen point; 0 outside the picture.
  std::uint32_t At(Point screen) const;

  static constexpr std::uint32_t Opaque() { return Word(255); }

 private:
  static constexpr std::uint32_t Word(std::uint32_t alpha) {
    return alpha << 24 | (kTrailColour.r * alpha / 255) << 16 |
           (kTrailColour.g * alpha / 255) << 8 | kTrailColour.b * alpha / 255;
  }

  std::uint32_t* pixels_;
  std::int32_t width_, height_;
  Point origin_;
};

}  // namespace vetrix::platform

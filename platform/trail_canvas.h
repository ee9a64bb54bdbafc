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

// The trail's and the tip's sizes on a monitor of a DPI, so that both look the same on every
// monitor: their sizes at 96 DPI times DPI / 96.
struct FeedbackSizes {
  float trailWidth = kTrailWidth;
  // The tip's place: this far right of the pointer and below it, or this far above it where
  // there is no room below; and the room around its text.
  Point tipOffset{12, 20};
  std::int32_t tipAbove = 8;
  Size tipPadding{12, 6};
};
FeedbackSizes FeedbackSizesAt(std::int32_t dpi);

// How far a line of a width reaches beyond its end points, each way: 4 px at 96 DPI.
std::int32_t TrailReach(float lineWidth);

// The part of the screen a line between two points draws on.
Rect TrailLineBox(Point from, Point to, float lineWidth = kTrailWidth);
// The trail's picture covers only the part of the screen drawn on. A line outside `have` (empty:
// no picture yet) needs a larger one: the two together with room around them for the next
// lines (a quarter of the size, at least 128 px each way), within `screen`.
Rect TrailPictureFor(Rect have, Rect line, Rect screen);
// Whether `inner` lies wholly in `outer`.
bool Covers(Rect outer, Rect inner);

class TrailCanvas {
 public:
  // `pixels`: width x height words; `origin`: the screen point of the first one.
  TrailCanvas(std::uint32_t* pixels, std::int32_t width, std::int32_t height, Point origin,
              float lineWidth = kTrailWidth)
      : pixels_(pixels), width_(width), height_(height), origin_(origin), lineWidth_(lineWidth) {}

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
  float lineWidth_;
};

}  // namespace vetrix::platform

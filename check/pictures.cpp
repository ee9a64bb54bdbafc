#include "check/pictures.h"

#include <algorithm>

#include "base/error.h"
#include "capture/direction.h"
#include "capture/drawing.h"
#include "check/loaded_program.h"
#include "check/png_file.h"
#include "store/number.h"

namespace vetrix::check {
namespace {

// Arrowheads and the start dot reach at most this far beyond the path's points.
constexpr std::int64_t kReach = 5;
// A gesture larger than the drawing area gets a larger picture, up to this.
constexpr std::int64_t kLargestPicture = 2000;

struct Box {
  std::int64_t left, top, right, bottom;  // inclusive
};

Box PathBox(const GestureTable& t, int row, Point start, std::int32_t scale) {
  Box box{start.x, start.y, start.x, start.y};
  Point p = start;
  for (int k = 0; k < ReadableStrokeCount(t, row); ++k) {
    p = Moved(p, DirectionOffset(t.angles[row][k], scale));
    box = {std::min<std::int64_t>(box.left, p.x), std::min<std::int64_t>(box.top, p.y),
           std::max<std::int64_t>(box.right, p.x), std::max<std::int64_t>(box.bottom, p.y)};
  }
  return {box.left - kReach, box.top - kReach, box.right + kReach, box.bottom + kReach};
}

struct Placement {
  Size size;
  Point start;
};

// The file's start point in a picture of the drawing area's size when the whole gesture shows
// there; otherwise the gesture centred, in a larger picture where it needs one.
Placement Place(const Box& box, Point start, Size area) {
  if (box.left >= 0 && box.top >= 0 && box.right < area.width && box.bottom < area.height)
    return {area, start};
  const std::int64_t w =
      std::clamp<std::int64_t>(box.right - box.left + 1, area.width, kLargestPicture);
  const std::int64_t h =
      std::clamp<std::int64_t>(box.bottom - box.top + 1, area.height, kLargestPicture);
  const std::int64_t x = start.x + (w - 1) / 2 - (box.left + box.right) / 2;
  const std::int64_t y = start.y + (h - 1) / 2 - (box.top + box.bottom) / 2;
  return {{static_cast<std::int32_t>(w), static_cast<std::int32_t>(h)},
          {static_cast<std::int32_t>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX)),
           static_cast<std::int32_t>(std::clamp<std::int64_t>(y, INT32_MIN, INT32_MAX))}};
}

std::vector<std::uint8_t> Pixels(const platform::Image& image, Size size) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) * 3);
  for (std::int32_t y = 0; y < size.height; ++y)
    for (std::int32_t x = 0; x < size.width; ++x) {
      const platform::Rgb c = image.Pixel(x, y);
      rgb.insert(rgb.end(), {c.r, c.g, c.b});
    }
  return rgb;
}

}  // namespace

std::vector<std::filesystem::path> DrawGestures(const std::string& iniBytes,
                                                const std::filesystem::path& folder) {
  LoadedProgram program(iniBytes);
  MainWindow& window = program.window();
  const GestureTable& t = window.state.table;
  // Start-up leaves a whole number in the scale field; the default stands in for safety only.
  const std::int32_t scale = ParseInt32(window.scaleField.Text()).value_or(15);
  const Size area{window.drawingArea.BitmapWidth(), window.drawingArea.BitmapHeight()};
  std::filesystem::create_directories(folder);
  std::vector<std::filesystem::path> written;
  for (int row = 0; row < TableSize(t); ++row) {
    const Placement at =
        Place(PathBox(t, row, window.state.startPoint, scale), window.state.startPoint, area);
    platform::Image image({.parent = window.frame, .rect = {0, 0, at.size.width, at.size.height}});
    DrawGesture(image, t, row, at.start, scale);
    written.push_back(folder / ("gesture-" + std::to_string(row) + ".png"));
    WritePng(written.back(), at.size.width, at.size.height, Pixels(image, at.size));
  }
  return written;
}

}  // namespace vetrix::check

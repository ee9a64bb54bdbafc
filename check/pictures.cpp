#include "check/pictures.h"

#include <algorithm>

#include "base/dpi.h"
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
// The pointer's path over a gesture: a colour the gesture's drawing never uses.
constexpr platform::Rgb kPathColour{0, 160, 0};

struct Box {
  std::int64_t left, top, right, bottom;  // inclusive
};

Box Grown(Box box, Point p) {
  return {std::min<std::int64_t>(box.left, p.x), std::min<std::int64_t>(box.top, p.y),
          std::max<std::int64_t>(box.right, p.x), std::max<std::int64_t>(box.bottom, p.y)};
}

Box PathBox(const GestureTable& t, int row, Point start, std::int32_t scale) {
  Box box{start.x, start.y, start.x, start.y};
  Point p = start;
  for (int k = 0; k < ReadableStrokeCount(t, row); ++k) {
    p = Moved(p, DirectionOffset(t.angles[row][k], scale));
    box = Grown(box, p);
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

struct Drawn {
  MainWindow& window;
  std::int32_t scale;
  Size area;
};

// Start-up leaves a whole number in the scale field; the default stands in for safety only.
Drawn DrawingOf(MainWindow& window) {
  return {window,
          ParseInt32(window.scaleField.Text()).value_or(15),
          {window.drawingArea.BitmapWidth(), window.drawingArea.BitmapHeight()}};
}

}  // namespace

std::vector<std::filesystem::path> DrawGestures(const std::string& iniBytes,
                                                const std::filesystem::path& folder) {
  LoadedProgram program(iniBytes);
  MainWindow& window = program.window();
  const GestureTable& t = window.state.table;
  const auto [_, scale, area] = DrawingOf(window);
  std::filesystem::create_directories(folder);
  std::vector<std::filesystem::path> written;
  for (int row = 0; row < TableSize(t); ++row) {
    const Placement at =
        Place(PathBox(t, row, window.state.startPoint, scale), window.state.startPoint, area);
    platform::Image image({.parent = window.frame, .rect = {0, 0, at.size.width, at.size.height}});
    DrawGesture(image, t, row, at.start, scale, kBaseDpi);
    written.push_back(folder / ("gesture-" + std::to_string(row) + ".png"));
    WritePng(written.back(), at.size.width, at.size.height, Pixels(image, at.size));
  }
  return written;
}

std::vector<std::filesystem::path> DrawAttempts(const std::string& iniBytes,
                                                const std::vector<Attempt>& attempts,
                                                const std::vector<AttemptReport>& reports,
                                                const std::filesystem::path& folder) {
  LoadedProgram program(iniBytes);
  MainWindow& window = program.window();
  const GestureTable& t = window.state.table;
  const auto [_, scale, area] = DrawingOf(window);
  const Point start = window.state.startPoint;
  std::filesystem::create_directories(folder);
  std::vector<std::filesystem::path> written;
  for (std::size_t k = 0; k < attempts.size() && k < reports.size(); ++k) {
    const std::vector<fake::World::Sample>& samples = attempts[k].samples;
    if (samples.empty()) continue;
    const int row = reports[k].drawnRow;
    // The path as moves from its first point, which is put on the start point.
    std::vector<Point> path;
    for (const fake::World::Sample& sample : samples)
      path.push_back(
          Moved(start, {sample.to.x - samples.front().to.x, sample.to.y - samples.front().to.y}));
    Box box = row >= 0
                  ? PathBox(t, row, start, scale)
                  : Box{start.x - kReach, start.y - kReach, start.x + kReach, start.y + kReach};
    for (Point p : path) box = Grown(box, p);
    const Placement at = Place(box, start, area);
    const Offset shift{at.start.x - start.x, at.start.y - start.y};
    platform::Image image({.parent = window.frame, .rect = {0, 0, at.size.width, at.size.height}});
    if (row >= 0)
      DrawGesture(image, t, row, at.start, scale, kBaseDpi);
    else
      DrawStartDot(image, at.start, kBaseDpi);
    image.SetPen(kPathColour);
    for (std::size_t i = 1; i < path.size(); ++i)
      image.Line(Moved(path[i - 1], shift), Moved(path[i], shift));
    written.push_back(folder / ("attempt-" + std::to_string(k + 1) + ".png"));
    WritePng(written.back(), at.size.width, at.size.height, Pixels(image, at.size));
  }
  return written;
}

}  // namespace vetrix::check

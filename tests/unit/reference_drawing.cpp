// Draws a gesture with the fake platform, exactly as the tests check it, and writes the
// drawing area as a binary PPM: what the real program's drawing area must show.
//   reference_drawing WIDTH HEIGHT SCALE X2 Y2 ANGLE... > out.ppm
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "base/dpi.h"
#include "capture/drawing.h"
#include "platform/controls.h"
#include "store/number.h"

int main(int argc, char** argv) {
  using namespace vetrix;
  const auto scale = argc >= 6 ? ParseInt32(argv[3]) : std::nullopt;
  if (!scale) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT SCALE X2 Y2 ANGLE...\n", argv[0]);
    return 2;
  }
  const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  platform::Window frame({.title = "", .width = width, .height = height});
  platform::Image image({.parent = frame, .rect = {0, 0, width, height}});
  image.FillRect(0, 0, width, height);
  auto table = std::make_unique<GestureTable>();
  for (int i = 6; i < argc && i - 6 < kMaxStrokes; ++i)
    table->angles[0][i - 6] = std::atoi(argv[i]);
  table->strokeCount[0] = argc - 6 < kMaxStrokes ? argc - 6 : kMaxStrokes;
  table->gestureCount = 1;
  DrawGesture(image, *table, 0, {std::atoi(argv[4]), std::atoi(argv[5])}, *scale, kBaseDpi);
  std::printf("P6\n%d %d\n255\n", width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const platform::Rgb c = image.Pixel(x, y);
      std::fputc(c.r, stdout);
      std::fputc(c.g, stdout);
      std::fputc(c.b, stdout);
    }
  return 0;
}

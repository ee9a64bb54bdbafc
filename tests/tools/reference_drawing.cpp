// Draws a gesture with the fake platform, exactly as the tests check it, and writes the
// drawing area as a binary PPM: what the real program's drawing area must show.
//   reference_drawing WIDTH HEIGHT SCALE X2 Y2 ANGLE... > out.ppm
#include <cstdio>
#include <cstdlib>
#include <string>

#include "capture/drawing.h"
#include "platform/fake/world.h"
#include "shell/main_form.h"

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT SCALE X2 Y2 ANGLE...\n", argv[0]);
    return 2;
  }
  using namespace vetrix;
  const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  MainForm form;
  form.Image1.SetBitmapSize(width, height);
  form.s.DrawingRect = {0, 0, width, height};
  form.SE.SetText(argv[3]);
  form.s.StartPoint = {std::atoi(argv[4]), std::atoi(argv[5])};
  GestureTable& t = form.s.table;
  for (int i = 6; i < argc && i - 6 < kMaxSegments; ++i) t.Angles[0][i - 6] = std::atoi(argv[i]);
  t.SegmentCount[0] = argc - 6 < kMaxSegments ? argc - 6 : kMaxSegments;
  t.GestureCount = 1;
  form.List1.AddRow("0");
  form.List1.Select(0);
  DrawGesture(form);
  std::printf("P6\n%d %d\n255\n", width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const platform::Rgb c = form.Image1.Pixel(x, y);
      std::fputc(c.r, stdout);
      std::fputc(c.g, stdout);
      std::fputc(c.b, stdout);
    }
  return 0;
}

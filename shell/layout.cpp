#include "shell/layout.h"

#include "capture/drawing.h"
#include "shell/main_form.h"

namespace vetrix {
namespace {

using platform::Rect;

template <class Control>
void Place(Control& c, int left, int top, int width, int height) {
  c.SetBounds(Rect{left, top, width, height});
}

}  // namespace

void FormResize(MainForm& f) {
  const WindowGeometry g = f.window.Geometry();
  const int w = g.clientWidth;
  const int h = g.clientHeight;
  const Rect image = f.Image1.Bounds();
  Place(f.Image1, image.left, image.top, w - 377, h - 89);
  const Rect list1 = f.List1.Bounds();
  Place(f.List1, w - 378, list1.top, list1.width, h - 89);
  const Rect list2 = f.List2.Bounds();
  Place(f.List2, w - 346, list2.top, list2.width, h - 89);
  for (platform::Button* b : {&f.Button1, &f.Button2}) {
    const Rect r = b->Bounds();
    Place(*b, r.left, h - 82, r.width, r.height);
  }
  Place(f.Button3, w - 346, h - 82, f.Button3.Bounds().width, f.Button3.Bounds().height);
  Place(f.Button4, w - 77, h - 82, f.Button4.Bounds().width, f.Button4.Bounds().height);
  const Rect se = f.SE.Bounds();
  Place(f.SE, se.left, h - 81, se.width, se.height);
  const Rect gb = f.GB.Bounds();
  Place(f.GB, w - 269, h - 87, gb.width, gb.height);
  const Rect hk = f.HK.Bounds();
  Place(f.HK, hk.left, h - 50, hk.width, hk.height);
  for (platform::CheckBox* c : {&f.CB, &f.CB2}) {
    const Rect r = c->Bounds();
    Place(*c, r.left, h - 47, r.width, r.height);
  }
  const Rect msl = f.MSL.Bounds();
  Place(f.MSL, msl.left, h - 24, w - 171, msl.height);
  Place(f.Button5, w - 156, h - 26, f.Button5.Bounds().width, f.Button5.Bounds().height);
  Place(f.Button6, w - 76, h - 26, f.Button6.Bounds().width, f.Button6.Bounds().height);

  if (f.s.FormActivated) {
    const Rect area = f.Image1.Bounds();
    f.s.DrawingRect = {0, 0, area.width, area.height};
    ResizeDrawing(f, area.width, area.height);
  }
  DrawGesture(f);
}

}  // namespace vetrix

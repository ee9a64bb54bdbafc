// The drawing area: a bitmap of its own size (a DIB section in a memory DC) drawn with GDI and
// shown by the child window at its place. Its class takes double clicks.
#include <algorithm>

#include "base/unique_handle.h"
#include "platform/controls.h"
#include "platform/handler.h"
#include "platform/win32/child.h"
#include "platform/win32/window_class.h"

namespace vetrix::platform {

namespace {

constexpr wchar_t kImageClass[] = L"VetrixImage";

COLORREF Colour(Rgb c) { return RGB(c.r, c.g, c.b); }

using Bitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using Pen = UniqueHandle<HPEN, &DeleteObject>;
using Brush = UniqueHandle<HBRUSH, &DeleteObject>;
using MemoryDc = UniqueHandle<HDC, &DeleteDC>;

}  // namespace

struct Image::Impl {
  Image* owner = nullptr;
  HWND hwnd = nullptr;
  // Declared before the DC, so that the DC goes first, once it has let go of them.
  Bitmap bitmap;
  Pen pen;
  Brush brush;
  MemoryDc dc;
  HGDIOBJ originalBitmap = nullptr;
  std::uint8_t* bits = nullptr;  // 32-bit top-down rows
  std::int32_t width = 0, height = 0;

  ~Impl() {
    if (dc) {
      // An object selected into a DC cannot be deleted.
      SelectObject(dc.get(), originalBitmap);
      SelectObject(dc.get(), GetStockObject(BLACK_PEN));
      SelectObject(dc.get(), GetStockObject(WHITE_BRUSH));
    }
    win32::DestroyChild(hwnd);
  }

  void Changed() { InvalidateRect(hwnd, nullptr, FALSE); }
};

namespace {

LRESULT CALLBACK ImageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* impl = reinterpret_cast<Image::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!impl) return DefWindowProcW(hwnd, msg, wp, lp);
  Image& image = *impl->owner;
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC target = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      // The bitmap at the top left; whatever it does not cover stays white.
      FillRect(target, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      BitBlt(target, 0, 0, impl->width, impl->height, impl->dc.get(), 0, 0, SRCCOPY);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (image.onMouseUp) {
        const MouseButton button = msg == WM_LBUTTONUP   ? MouseButton::Left
                                   : msg == WM_RBUTTONUP ? MouseButton::Right
                                                         : MouseButton::Middle;
        RunHandler([&] { image.onMouseUp(button); });
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (image.onDblClick) RunHandler(image.onDblClick);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

Image::Image(const Args& args) : impl_(std::make_unique<Impl>()) {
  win32::RegisterWindowClass({.name = kImageClass, .procedure = ImageProc, .style = CS_DBLCLKS});
  impl_->owner = this;
  impl_->hwnd =
      win32::CreateChild(args.parent.impl().hwnd, kImageClass, "", 0, 0, args.rect, nullptr);
  SetWindowLongPtrW(impl_->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl_.get()));
  HDC screen = GetDC(nullptr);
  impl_->dc.reset(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  SetPen(Rgb{0, 0, 0});
  SetBrush(Rgb{255, 255, 255});
  SetBitmapSize(args.rect.width, args.rect.height);
}
Image::~Image() = default;
void Image::SetBounds(Rect r) { win32::MoveChild(impl_->hwnd, r); }
Rect Image::Bounds() const { return win32::ChildBounds(impl_->hwnd); }

void Image::SetBitmapSize(std::int32_t width, std::int32_t height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP next = CreateDIBSection(impl_->dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!next) return;
  // A new bitmap starts white; what fits of the old picture is copied over.
  std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<std::size_t>(width) * height,
              0x00FFFFFFu);
  HDC scratch = CreateCompatibleDC(impl_->dc.get());
  HGDIOBJ old = SelectObject(scratch, next);
  if (impl_->bitmap)
    BitBlt(scratch, 0, 0, std::min(width, impl_->width), std::min(height, impl_->height),
           impl_->dc.get(), 0, 0, SRCCOPY);
  SelectObject(scratch, old);
  DeleteDC(scratch);
  HGDIOBJ previous = SelectObject(impl_->dc.get(), next);
  if (!impl_->bitmap) impl_->originalBitmap = previous;
  impl_->bitmap.reset(next);
  impl_->bits = static_cast<std::uint8_t*>(bits);
  impl_->width = width;
  impl_->height = height;
  impl_->Changed();
}

std::int32_t Image::BitmapWidth() const { return impl_->width; }
std::int32_t Image::BitmapHeight() const { return impl_->height; }

void Image::SetPen(Rgb color) {
  HPEN next = CreatePen(PS_SOLID, 1, Colour(color));
  SelectObject(impl_->dc.get(), next);
  impl_->pen.reset(next);
}

void Image::SetBrush(Rgb color) {
  HBRUSH next = CreateSolidBrush(Colour(color));
  SelectObject(impl_->dc.get(), next);
  impl_->brush.reset(next);
}

void Image::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  const RECT r{left, top, right, bottom};
  ::FillRect(impl_->dc.get(), &r, impl_->brush.get());
  impl_->Changed();
}

void Image::Line(Point from, Point to) {
  MoveToEx(impl_->dc.get(), from.x, from.y, nullptr);
  LineTo(impl_->dc.get(), to.x, to.y);
  impl_->Changed();
}

void Image::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  ::Ellipse(impl_->dc.get(), left, top, right, bottom);
  impl_->Changed();
}

Rgb Image::Pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= impl_->width || y >= impl_->height) return {};
  GdiFlush();
  const std::uint8_t* p = impl_->bits + (static_cast<std::size_t>(y) * impl_->width + x) * 4;
  return {p[2], p[1], p[0]};
}

}  // namespace vetrix::platform

// The drawing area: a plain child window, white for now. Its class takes double clicks.
#include "platform/controls.h"
#include "platform/win32/child.h"

namespace vetrix::platform {

namespace {

constexpr wchar_t kImageClass[] = L"VetrixImage";

void RegisterImageClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  // A stock brush: nothing to free.
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kImageClass;
  RegisterClassExW(&wc);
  done = true;
}

}  // namespace

struct Image::Impl {
  HWND hwnd = nullptr;
  ~Impl() { win32::DestroyChild(hwnd); }
};

Image::Image(const Args& args) : impl_(std::make_unique<Impl>()) {
  RegisterImageClass();
  impl_->hwnd =
      win32::CreateChild(args.parent.impl().hwnd, kImageClass, "", 0, 0, args.rect, nullptr);
}
Image::~Image() = default;
void Image::SetBounds(Rect r) { win32::MoveChild(impl_->hwnd, r); }
Rect Image::Bounds() const { return win32::ChildBounds(impl_->hwnd); }

}  // namespace vetrix::platform

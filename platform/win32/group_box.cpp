// A container drawn as a caption-less group frame. Its children are real child windows of it,
// so it reflects their WM_COMMAND exactly as the form does.
#include "platform/controls.h"
#include "platform/win32/child.h"
#include "platform/win32/window_class.h"

namespace vetrix::platform {

namespace {

constexpr wchar_t kGroupClass[] = L"VetrixGroupBox";

void PaintFrame(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  // The frame's top line sits at half a text line, where a caption would be centred.
  HGDIOBJ old = SelectObject(dc, win32::FormFont(win32::FormDpi()));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  RECT r{};
  GetClientRect(hwnd, &r);
  r.top = tm.tmHeight / 2 - 1;
  DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK GroupProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (win32::ReflectCommand(wp, lp)) return 0;
      break;
    case WM_PAINT:
      PaintFrame(hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

GroupBox::Impl::~Impl() { win32::DestroyChild(hwnd); }

GroupBox::GroupBox(const Args& args) : impl_(std::make_unique<Impl>()) {
  // The frame follows the edges: a resize must repaint all of it.
  win32::RegisterWindowClass({.name = kGroupClass,
                              .procedure = GroupProc,
                              .style = CS_HREDRAW | CS_VREDRAW,
                              .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
  // WS_EX_CONTROLPARENT lets dialog-style Tab navigation walk into the group.
  impl_->hwnd = win32::CreateChild(args.parent.impl().hwnd, kGroupClass, "", WS_CLIPCHILDREN,
                                   WS_EX_CONTROLPARENT, args.rect, nullptr);
}
GroupBox::~GroupBox() = default;
void GroupBox::SetBounds(Rect r) { win32::MoveChild(impl_->hwnd, r); }
Rect GroupBox::Bounds() const { return win32::ChildBounds(impl_->hwnd); }

}  // namespace vetrix::platform

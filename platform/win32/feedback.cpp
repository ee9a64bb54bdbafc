// The trail and the tip as windows of their own, made when needed and destroyed when done.
//
// The trail is a layered window over the part of the virtual screen drawn on so far, shown with
// per-pixel alpha from a DIB section of the part drawn on and some room around it, made anew
// larger when a line goes beyond it (a press that draws nothing makes none): soft edges on
// Windows; under Wine
// on X without a compositor the pixels it does not cover (alpha 0) are cut out of the window's
// shape and the rest shows in the trail's colour. A colour key would give hard, jagged edges on
// both. WS_EX_LAYERED with WS_EX_TRANSPARENT lets every click through to the window below, on
// Windows and in Wine's hit test alike; WS_EX_NOACTIVATE keeps it out of the focus. The tool-window
// style keeps it out of Alt+Tab and Windows' taskbar; Wine's taskbar lists every visible window
// without an owner, so the main window owns it.
#include "platform/feedback.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/unique_handle.h"
#include "platform/trail_canvas.h"
#include "platform/win32/dpi.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_class.h"

namespace vetrix::platform {
namespace {

constexpr DWORD kOverlayStyles =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;

LRESULT CALLBACK OverlayProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);

// The picture: the part of the screen it covers, in screen pixels.
struct TrailPicture {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  std::uint32_t* bits = nullptr;
  Rect area;
};

struct TrailSurface {
  HWND hwnd = nullptr;
  Rect screen;  // the virtual screen
  TrailPicture picture;
  // The part of the screen drawn on since the picture was last empty, which the window spans.
  Rect drawn;
  bool shown = false;
  Point last;
  bool penDown = false;
  // The line's width on the monitor where the pen was last put down.
  float width = kTrailWidth;
};
TrailSurface g_trail;

void Release(TrailPicture& p) {
  if (p.dc && p.oldBitmap) SelectObject(p.dc, p.oldBitmap);
  if (p.bitmap) DeleteObject(p.bitmap);
  if (p.dc) DeleteDC(p.dc);
  p = {};
}

void Release(TrailSurface& t) {
  if (t.hwnd) DestroyWindow(t.hwnd);
  Release(t.picture);
  t = {};
}

// A new DIB section is all zeros, fully transparent.
TrailPicture MakePicture(Rect area) {
  TrailPicture p;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = area.width;
  bi.bmiHeader.biHeight = -area.height;  // rows from the top, as the canvas draws them
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  p.dc = CreateCompatibleDC(nullptr);
  p.bitmap = p.dc ? CreateDIBSection(p.dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  p.bits = static_cast<std::uint32_t*>(bits);
  if (!p.bits) {
    Release(p);
    return p;
  }
  p.oldBitmap = SelectObject(p.dc, p.bitmap);
  p.area = area;
  return p;
}

std::uint32_t* Row(const TrailPicture& p, std::int32_t screenY, std::int32_t screenX) {
  return p.bits + static_cast<std::ptrdiff_t>(screenY - p.area.top) * p.area.width +
         (screenX - p.area.left);
}

// A picture that covers `line` too, with what was drawn copied over; false where none can be
// made (the line then goes undrawn).
bool Cover(TrailSurface& t, Rect line) {
  if (t.picture.bits && Covers(t.picture.area, line)) return true;
  const Rect area = TrailPictureFor(t.picture.area, line, t.screen);
  if (area.width <= 0 || area.height <= 0) return false;
  TrailPicture larger = MakePicture(area);
  if (!larger.bits) return false;
  const Rect& d = t.drawn;
  for (std::int32_t y = d.top; y < d.top + d.height; ++y)
    std::memcpy(Row(larger, y, d.left), Row(t.picture, y, d.left), d.width * sizeof(std::uint32_t));
  Release(t.picture);
  t.picture = larger;
  return true;
}

Rect Union(Rect a, Rect b) {
  if (a.width <= 0 || a.height <= 0) return b;
  const std::int32_t left = std::min(a.left, b.left), top = std::min(a.top, b.top);
  return {left, top, std::max(a.left + a.width, b.left + b.width) - left,
          std::max(a.top + a.height, b.top + b.height) - top};
}

// Hands the window what changed. Wine works out the shape of a layered window from all its
// pixels at every update: over the whole virtual screen that took 6 to 19 ms an update,
// measured, passes came 75 ms apart and gestures were lost. So the window spans only what was
// drawn, and where that did not grow only the new line's part is handed over.
void Push(TrailSurface& t, Rect line, bool grew) {
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  POINT source{t.drawn.left - t.picture.area.left, t.drawn.top - t.picture.area.top};
  POINT place{t.drawn.left, t.drawn.top};
  SIZE size{t.drawn.width, t.drawn.height};
  const RECT dirty{line.left - t.drawn.left, line.top - t.drawn.top,
                   line.left + line.width - t.drawn.left, line.top + line.height - t.drawn.top};
  UPDATELAYEREDWINDOWINFO info{sizeof info, nullptr, &place, &size,     t.picture.dc,
                               &source,     0,       &blend, ULW_ALPHA, grew ? nullptr : &dirty};
  UpdateLayeredWindowIndirect(t.hwnd, &info);
  if (t.shown) return;
  // Created topmost, an owned window may still be put under the topmost windows; raise it.
  SetWindowPos(t.hwnd, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  t.shown = true;
}

TrailCanvas Canvas(const TrailSurface& t) {
  const TrailPicture& p = t.picture;
  return TrailCanvas(p.bits, p.area.width, p.area.height, {p.area.left, p.area.top}, t.width);
}

void RegisterOverlayClass(const wchar_t* name) {
  win32::RegisterWindowClass({.name = name, .procedure = OverlayProcedure});
}

// ---- The tip

constexpr UINT_PTR kTipTimer = 1;
HWND g_tip = nullptr;
std::wstring g_tipText;

// The system's GUI font, made for the system's DPI, at the DPI of the tip's monitor.
HGDIOBJ TipFont(UINT dpi) {
  static UniqueHandle<HFONT, &DeleteObject> scaled;
  static UINT scaledFor = 0;
  const HGDIOBJ system = GetStockObject(DEFAULT_GUI_FONT);
  if (dpi == win32::SystemDpi()) return system;
  if (scaledFor != dpi || !scaled) {
    LOGFONTW font{};
    GetObjectW(system, sizeof font, &font);
    font.lfHeight =
        MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(win32::SystemDpi()));
    font.lfWidth = 0;
    scaled = UniqueHandle<HFONT, &DeleteObject>(CreateFontIndirectW(&font));
    scaledFor = dpi;
  }
  return scaled ? static_cast<HGDIOBJ>(scaled.get()) : system;
}
HGDIOBJ g_tipFont = nullptr;

void PaintTip(HWND hwnd) {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
  FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  const HGDIOBJ oldFont = SelectObject(dc, g_tipFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  DrawTextW(dc, g_tipText.c_str(), static_cast<int>(g_tipText.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK OverlayProcedure(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_PAINT:
      if (hwnd != g_tip) break;
      PaintTip(hwnd);
      return 0;
    case WM_TIMER:
      // The timer lives only while the tip shows.
      if (hwnd == g_tip && wp == kTipTimer) DestroyWindow(hwnd);
      return 0;
    case WM_NCDESTROY:
      if (hwnd == g_tip) g_tip = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wp, lp);
}

SIZE TextSize(const std::wstring& text) {
  SIZE extent{};
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ oldFont = SelectObject(dc, g_tipFont);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);
  return extent;
}

}  // namespace

void OpenTrail() {
  Release(g_trail);
  RegisterOverlayClass(L"VetrixTrail");
  TrailSurface& t = g_trail;
  t.screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  // Shown at the first line drawn. Without it the run goes on undrawn.
  t.hwnd =
      CreateWindowExW(kOverlayStyles, L"VetrixTrail", L"", WS_POPUP, t.screen.left, t.screen.top, 1,
                      1, win32::MainWindowHandle(), nullptr, GetModuleHandleW(nullptr), nullptr);
}

void ExtendTrail(Point to) {
  TrailSurface& t = g_trail;
  if (!t.hwnd) return;
  if (!t.penDown)
    t.width =
        FeedbackSizesAt(static_cast<std::int32_t>(win32::DpiAtPoint({to.x, to.y}))).trailWidth;
  if (t.penDown && Cover(t, TrailLineBox(t.last, to, t.width))) {
    const Rect drawn = Canvas(t).Line(t.last, to);
    if (drawn.width > 0) {
      const Rect line{drawn.left + t.picture.area.left, drawn.top + t.picture.area.top, drawn.width,
                      drawn.height};
      const Rect before = t.drawn;
      t.drawn = Union(t.drawn, line);
      Push(t, line, t.drawn != before);
    }
  }
  t.last = to;
  t.penDown = true;
}

void LiftTrail() { g_trail.penDown = false; }

void ClearTrail() {
  TrailSurface& t = g_trail;
  if (!t.hwnd) return;
  // The next line makes a picture of its own size: a long run keeps no more than one attempt's.
  Release(t.picture);
  t.drawn = {};
  ShowWindow(t.hwnd, SW_HIDE);
  t.shown = false;
}

void CloseTrail() { Release(g_trail); }

void ShowTip(std::string_view text, Point pointer) {
  RegisterOverlayClass(L"VetrixTip");
  g_tipText = win32::Widen(text);
  const UINT dpi = win32::DpiAtPoint({pointer.x, pointer.y});
  const FeedbackSizes sizes = FeedbackSizesAt(static_cast<std::int32_t>(dpi));
  g_tipFont = TipFont(dpi);
  const SIZE extent = TextSize(g_tipText);
  const int width = extent.cx + sizes.tipPadding.width,
            height = extent.cy + sizes.tipPadding.height;
  // Below and to the right of the pointer, out of its way, within the monitor's work area.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({pointer.x, pointer.y}, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  int x = std::max(static_cast<int>(area.left),
                   std::min(pointer.x + sizes.tipOffset.x, int(area.right) - width));
  int y = pointer.y + sizes.tipOffset.y;
  if (y + height > area.bottom) y = pointer.y - sizes.tipAbove - height;
  y = std::max(y, static_cast<int>(area.top));
  if (!g_tip) {
    g_tip = CreateWindowExW(kOverlayStyles, L"VetrixTip", g_tipText.c_str(), WS_POPUP, x, y, width,
                            height, win32::MainWindowHandle(), nullptr, GetModuleHandleW(nullptr),
                            nullptr);
    if (!g_tip) return;
    // A layered window shows only once told how; this also makes it let clicks through.
    SetLayeredWindowAttributes(g_tip, 0, 255, LWA_ALPHA);
  } else {
    SetWindowTextW(g_tip, g_tipText.c_str());
  }
  // Topmost: the program that the action brings to the front does not cover it.
  SetWindowPos(g_tip, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(g_tip, nullptr, TRUE);
  // Set again, the timer starts its time afresh.
  SetTimer(g_tip, kTipTimer, kTipMs, nullptr);
}

Size DragSlop(Point at) {
  // Windows 10 gives the rectangle for any DPI; before it, the system's is scaled from the
  // system's DPI.
  using ForDpi = int(WINAPI*)(int, UINT);
  static const auto forDpi = reinterpret_cast<ForDpi>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  const UINT dpi = win32::DpiAtPoint({at.x, at.y});
  if (forDpi) return {forDpi(SM_CXDRAG, dpi), forDpi(SM_CYDRAG, dpi)};
  const int system = static_cast<int>(win32::SystemDpi()), here = static_cast<int>(dpi);
  return {MulDiv(GetSystemMetrics(SM_CXDRAG), here, system),
          MulDiv(GetSystemMetrics(SM_CYDRAG), here, system)};
}

}  // namespace vetrix::platform

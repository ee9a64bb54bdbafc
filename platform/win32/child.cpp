#include "platform/win32/child.h"

#include <unordered_map>

#include "base/dpi.h"
#include "base/unique_handle.h"
#include "platform/handler.h"
#include "platform/win32/dpi.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace vetrix::win32 {

namespace {

HFONT MakeFont(const wchar_t* face, UINT dpi) {
  // 8 points, as a dialog sizes them: 11 pixels at 96 DPI, 16 at 144 (not 11 scaled, 16.5,
  // which rounds up and made the captions wider than their scaled controls). The texts are
  // always Cyrillic: under a Western code page the default character set would pick the
  // Western bitmap face, which has no Cyrillic glyphs at all.
  return CreateFontW(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, face);
}

// Whether the font mapper gives the face itself, with its Cyrillic letters.
bool MapsToItself(HFONT font, const wchar_t* face) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t got[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, got);
  const bool exact = GetTextCharset(dc) == RUSSIAN_CHARSET && lstrcmpiW(got, face) == 0;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return exact;
}

HFONT Exactly(const wchar_t* face, UINT dpi) {
  HFONT font = MakeFont(face, dpi);
  if (MapsToItself(font, face)) return font;
  DeleteObject(font);
  return nullptr;
}

// At 96 DPI: where the system has no Cyrillic "MS Sans Serif" (a Western code page), the font
// mapper picks a wider face and the captions no longer fit their controls; Tahoma has the
// Cyrillic letters at nearly the same widths. At any other DPI: "MS Sans Serif" is a bitmap
// face drawn for this one size and looks coarse at others; "Microsoft Sans Serif" is its
// scalable twin, else the system's message font.
HFONT ChooseFormFont(UINT dpi) {
  if (dpi == static_cast<UINT>(kBaseDpi)) {
    if (HFONT font = Exactly(L"MS Sans Serif", dpi)) return font;
    return MakeFont(L"Tahoma", dpi);
  }
  if (HFONT font = Exactly(L"Microsoft Sans Serif", dpi)) return font;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  const bool known = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return MakeFont(
      known && metrics.lfMessageFont.lfFaceName[0] ? metrics.lfMessageFont.lfFaceName : L"Tahoma",
      dpi);
}

}  // namespace

HFONT FormFont(UINT dpi) {
  // Made once for each DPI the window meets and kept for the program's life: a window dragged
  // back and forth between two monitors uses two fonts, and a control never holds a deleted one.
  static std::map<UINT, UniqueHandle<HFONT, &DeleteObject>> made;
  auto& font = made[dpi];
  if (!font) font = UniqueHandle<HFONT, &DeleteObject>(ChooseFormFont(dpi));
  return font.get();
}

namespace {
UINT g_formDpi = 96;
}  // namespace

void SetFormDpi(UINT dpi) { g_formDpi = dpi; }
UINT FormDpi() { return g_formDpi; }

int RowHeight(UINT dpi) { return Scaled(13, static_cast<std::int32_t>(dpi)); }

void FitToDpi(HWND control, UINT dpi) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont(dpi)), TRUE);
  wchar_t cls[16] = {};
  GetClassNameW(control, cls, 16);
  if (lstrcmpiW(cls, L"ListBox") == 0)
    SendMessageW(control, LB_SETITEMHEIGHT, 0, RowHeight(dpi));
  else if (lstrcmpiW(cls, L"ComboBox") == 0)
    SendMessageW(control, CB_SETITEMHEIGHT, 0, RowHeight(dpi));
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

namespace {
// Each control's object, by its window: kept in the process rather than in the window's
// GWLP_USERDATA, which under Wine costs a request to the server for every control made.
std::unordered_map<HWND, CommandTarget*>& Targets() {
  static std::unordered_map<HWND, CommandTarget*> targets;
  return targets;
}
}  // namespace

CommandTarget* TargetOf(HWND hwnd) {
  const auto it = Targets().find(hwnd);
  return it == Targets().end() ? nullptr : it->second;
}

HWND CreateChild(HWND parent, const wchar_t* cls, std::string_view text, DWORD style, DWORD exStyle,
                 const Rect& r, CommandTarget* target) {
  HWND hwnd = CreateWindowExW(exStyle, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                              r.left, r.top, r.width, r.height, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont(FormDpi())), FALSE);
  if (hwnd && target) Targets()[hwnd] = target;
  return hwnd;
}

void DestroyChild(HWND hwnd) {
  // A group box goes with its children already when it is destroyed first.
  // Forgotten either way: a later window may be given the same handle.
  Targets().erase(hwnd);
  if (!hwnd || !IsWindow(hwnd)) return;
  // A class of ours may keep its own object there.
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  DestroyWindow(hwnd);
}

Rect ChildBounds(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveChild(HWND hwnd, const Rect& r) {
  // Reading the place costs the server nothing, a move several requests even when it changes
  // nothing.
  if (ChildBounds(hwnd) == r) return;
  MoveWindow(hwnd, r.left, r.top, r.width, r.height, TRUE);
}

WNDPROC PutInFront(HWND hwnd, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

bool ReflectCommand(WPARAM wp, LPARAM lp) {
  if (lp == 0) return false;
  if (CommandTarget* target = TargetOf(reinterpret_cast<HWND>(lp)))
    platform::RunHandler([&] { target->OnCommand(HIWORD(wp)); });
  return true;
}

bool ReflectDrawItem(LPARAM lp) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
  CommandTarget* target = TargetOf(item->hwndItem);
  return target && target->OnDrawItem(*item);
}

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

}  // namespace vetrix::win32

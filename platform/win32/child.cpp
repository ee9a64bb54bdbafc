#include "platform/win32/child.h"

#include "base/unique_handle.h"
#include "platform/handler.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace vetrix::win32 {

namespace {

HFONT MakeFont(const wchar_t* face) {
  return CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, face);
}

// Where the system has no Cyrillic "MS Sans Serif" (a Western code page), the font mapper
// picks a wider face and the captions no longer fit their controls; Tahoma has the Cyrillic
// letters at nearly the same widths.
HFONT ChooseFormFont() {
  HFONT wanted = MakeFont(L"MS Sans Serif");
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, wanted);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  const bool exact =
      GetTextCharset(dc) == RUSSIAN_CHARSET && lstrcmpiW(face, L"MS Sans Serif") == 0;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (exact) return wanted;
  DeleteObject(wanted);
  return MakeFont(L"Tahoma");
}

}  // namespace

HFONT FormFont() {
  // 8 points at 96 dpi. The texts are always Cyrillic: under a Western code page the default
  // character set would pick the Western bitmap face, which has no Cyrillic glyphs at all.
  static const UniqueHandle<HFONT, &DeleteObject> font(ChooseFormFont());
  return font.get();
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND CreateChild(HWND parent, const wchar_t* cls, std::string_view text, DWORD style, DWORD exStyle,
                 const Rect& r, CommandTarget* target) {
  HWND hwnd = CreateWindowExW(exStyle, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                              r.left, r.top, r.width, r.height, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
  return hwnd;
}

void DestroyChild(HWND hwnd) {
  // A group box goes with its children already when it is destroyed first.
  if (!hwnd || !IsWindow(hwnd)) return;
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
  MoveWindow(hwnd, r.left, r.top, r.width, r.height, TRUE);
}

WNDPROC PutInFront(HWND hwnd, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

bool ReflectCommand(WPARAM wp, LPARAM lp) {
  if (lp == 0) return false;
  auto* target = reinterpret_cast<CommandTarget*>(
      GetWindowLongPtrW(reinterpret_cast<HWND>(lp), GWLP_USERDATA));
  if (target) platform::RunHandler([&] { target->OnCommand(HIWORD(wp)); });
  return true;
}

bool ReflectDrawItem(LPARAM lp) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
  auto* target = reinterpret_cast<CommandTarget*>(GetWindowLongPtrW(item->hwndItem, GWLP_USERDATA));
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

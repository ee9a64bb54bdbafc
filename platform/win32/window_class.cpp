#include "platform/win32/window_class.h"

namespace vetrix::win32 {

namespace {
constexpr WORD kIconId = 1;
}  // namespace

void RegisterWindowClass(const WindowClassArgs& args) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, args.name, &wc)) return;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.style = args.style;
  wc.lpfnWndProc = args.procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hIcon = args.icon;
  wc.hIconSm = args.smallIcon;
  wc.hbrBackground = args.background;
  wc.lpszClassName = args.name;
  RegisterClassExW(&wc);
}

HICON ProgramIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace vetrix::win32

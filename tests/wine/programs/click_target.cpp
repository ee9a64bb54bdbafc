// The window under the pointer in the Zorv.dll tests: what a program there gets of the mouse.
// A topmost borderless window at a given screen rectangle; it appends one line per button
// message and WM_CONTEXTMENU to target.log in the current folder:
//
//   ready
//   WM_RBUTTONDOWN <x> <y> <extra>   screen position and GetMessageExtraInfo() in hex
//   WM_CONTEXTMENU <x> <y>           the point DefWindowProc derived from the release
//
// click_target [left top width height] [--seconds N]
#include <windows.h>

#include "tool_support.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  test_tool::LogMouseMessage(hwnd, msg, lp);
  if (msg == WM_CONTEXTMENU) return 0;
  if (msg == WM_TIMER) {
    PostQuitMessage(0);
    return 0;
  }
  // DefWindowProc turns WM_RBUTTONUP into WM_CONTEXTMENU, as for any ordinary window.
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rect[4] = {200, 150, 600, 400};
  unsigned seconds = 60;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::wcscmp(argv[i], L"--seconds") && i + 1 < argc) {
      seconds = static_cast<unsigned>(std::wcstoul(argv[++i], nullptr, 10));
    } else if (positional < 4) {
      rect[positional++] = static_cast<int>(std::wcstol(argv[i], nullptr, 10));
    } else {
      std::fputs("usage: click_target [left top width height] [--seconds N]\n", stderr);
      return 2;
    }
  }
  if (!test_tool::OpenLog(L"target.log")) return 3;

  // Double clicks must show as such: one of the things the hold-back has to keep.
  test_tool::RegisterToolClass(L"ZorvClickTarget", WindowProc, CS_DBLCLKS);
  HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, L"ZorvClickTarget", L"click target",
                              WS_POPUP | WS_VISIBLE, rect[0], rect[1], rect[2], rect[3], nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return 4;
  SetTimer(hwnd, 1, 1000 * seconds, nullptr);
  UpdateWindow(hwnd);
  test_tool::Log("ready");

  return test_tool::RunMessageLoop();
}

// The lower bound for the benchmark under Wine: one visible window and its message loop,
// nothing else. Closing the window ends it.
#include <windows.h>

#include "tool_support.h"

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  test_tool::RegisterToolClass(L"BenchEmptyWindow", WindowProc);
  HWND hwnd = CreateWindowExW(0, L"BenchEmptyWindow", L"empty window",
                              WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, test_tool::kBaselineWidth,
                              test_tool::kBaselineHeight, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 4;
  return test_tool::RunMessageLoop();
}

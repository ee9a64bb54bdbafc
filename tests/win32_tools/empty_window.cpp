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
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"BenchEmptyWindow";
  RegisterClassExW(&wc);
  HWND hwnd =
      CreateWindowExW(0, wc.lpszClassName, L"empty window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                      100, 400, 300, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 4;
  return test_tool::RunMessageLoop();
}

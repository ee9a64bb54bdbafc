// The program's entry point: everything else is portable.
#include "platform/program.h"
#include "platform/win32/win32.h"
// After windows.h, which it needs.
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The current folder follows wherever files are bound from: a library loaded later (the open
  // dialog's, the shell's helpers) must never be looked for there.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
  // The shell may start an action through a COM extension, which needs COM on the calling
  // thread; this one is the window's, so single-threaded.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const int code = vetrix::ProgramMain();
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}

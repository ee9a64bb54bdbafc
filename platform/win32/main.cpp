// The program's entry point: everything else is portable.
#include "platform/program.h"
#include "platform/win32/win32.h"
// After windows.h, which it needs.
#include <objbase.h>

namespace {

// The current folder follows wherever files are bound from: no library may be looked for
// there, and files the system searches for are looked for there only after the system folders.
// Only that folder leaves the search; the rest stays as the system has it, since what the shell
// loads to open a document may find its own libraries through PATH.
void KeepCurrentFolderOutOfSearches() {
  SetDllDirectoryW(L"");
  // Not on every system the program runs on: looked up.
  using SetSearchPathModeFn = BOOL(WINAPI*)(DWORD);
  if (const HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    if (const auto set = reinterpret_cast<SetSearchPathModeFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetSearchPathMode")))) {
      set(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  KeepCurrentFolderOutOfSearches();
  // The shell may start an action through a COM extension, which needs COM on the calling
  // thread; this one is the window's, so single-threaded.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const int code = vetrix::ProgramMain();
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}

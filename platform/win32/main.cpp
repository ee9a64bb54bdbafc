// The program's entry point: everything else is portable.
#include "platform/program.h"
#include "platform/win32/win32.h"

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
  return vetrix::ProgramMain();
}

// A library planted in a folder under the name of one a program loads: being loaded is all it
// does, and it says so by appending its own path to "planted.log" in the current folder.
#include <windows.h>

#include <cstdio>
#include <cwchar>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(self, path, MAX_PATH);
  if (std::FILE* log = _wfopen(L"planted.log", L"a")) {
    std::fwprintf(log, L"%ls\n", path);
    std::fclose(log);
  }
  return TRUE;
}

// The shell's part: opening a file with its default verb, and the open-file dialog.
#include "platform/system.h"
#include "platform/win32/child.h"
#include "platform/win32/win32.h"
// After windows.h, which they need.
#include <commdlg.h>
#include <objbase.h>

#include <cwchar>

namespace vetrix::win32 {

void NeedCom() {
  // Left to the process's end, which takes it along.
  static const HRESULT com =
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  (void)com;
}

}  // namespace vetrix::win32

namespace vetrix::platform {

using win32::Widen;

void ShellOpen(const std::string& file, const std::string& workingDirectory) {
  win32::NeedCom();
  const std::wstring dir = Widen(workingDirectory);
  ShellExecuteW(win32::MainWindowHandle(), nullptr, Widen(file).c_str(), nullptr,
                dir.empty() ? nullptr : dir.c_str(), SW_SHOW);
}

namespace {

// By its full path in the system folder, never by a search.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const UINT n = GetSystemDirectoryW(path, MAX_PATH);
  if (n == 0 || n + 1 + std::wcslen(name) >= MAX_PATH) return nullptr;
  path[n] = L'\\';
  std::wcscpy(path + n + 1, name);
  // Its own libraries are looked for beside it first.
  return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

std::optional<SystemPath> OpenFileDialog(std::string_view filter,
                                         std::string_view initialDirectory) {
  // "desc|pattern|..." becomes "desc\0pattern\0...\0\0"; the string's own terminator is the
  // last of the two.
  std::wstring filters = Widen(filter);
  for (wchar_t& c : filters)
    if (c == L'|') c = L'\0';
  filters += L'\0';
  // The dialog is not sure to take a relative folder.
  const std::wstring relative = Widen(initialDirectory);
  std::wstring folder(MAX_PATH, L'\0');
  const DWORD n = relative.empty()
                      ? 0
                      : GetFullPathNameW(relative.c_str(), static_cast<DWORD>(folder.size()),
                                         folder.data(), nullptr);
  folder.resize(n < folder.size() ? n : 0);
  std::wstring file(32768, L'\0');

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = win32::BoxOwner();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // No OFN_NOCHANGEDIR: the caller expects the current folder to follow the choice, and sets it
  // back itself.
  ofn.Flags =
      OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  // Its library is loaded when the dialog is first wanted, not at every start.
  static const auto open = reinterpret_cast<decltype(&GetOpenFileNameW)>(reinterpret_cast<void*>(
      GetProcAddress(LoadSystemLibrary(L"comdlg32.dll"), "GetOpenFileNameW")));
  if (!open) return std::nullopt;
  win32::NeedCom();
  win32::ModalScope modal;
  if (!open(&ofn)) return std::nullopt;
  file.resize(wcsnlen(file.c_str(), file.size()));
  return win32::PathOf(file);
}

}  // namespace vetrix::platform

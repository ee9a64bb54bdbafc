// Plain files through the W functions, so that a path keeps every character it has.
#include "platform/files.h"

#include <algorithm>

#include "base/unique_handle.h"
#include "platform/win32/win32.h"

namespace vetrix::platform {
namespace {

using Handle = UniqueHandle<HANDLE, &CloseHandle>;

Handle Open(const wchar_t* path, DWORD access, DWORD disposition) {
  const HANDLE file = CreateFileW(path, access, FILE_SHARE_READ, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  return Handle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

Handle Open(const SystemPath& path, DWORD access, DWORD disposition) {
  return Open(win32::WidenPath(path).c_str(), access, disposition);
}

bool WriteAll(const Handle& file, std::string_view bytes) {
  if (!file) return false;
  while (!bytes.empty()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::optional<std::uint64_t> FileSize(const SystemPath& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(win32::WidenPath(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<std::string> ReadWholeFile(const SystemPath& path) {
  const Handle file = Open(path, GENERIC_READ, OPEN_EXISTING);
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;  // shorter than it was a moment ago
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

std::optional<std::string> ReadFileStart(const SystemPath& path, std::size_t count) {
  const Handle file = Open(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  std::string bytes(std::min<std::size_t>(count, 1u << 20), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return std::nullopt;
  bytes.resize(read);
  return bytes;
}

bool AppendToFile(const SystemPath& path, std::string_view bytes) {
  // Append access alone: every write goes to the end, wherever the file ends by then.
  return WriteAll(Open(path, FILE_APPEND_DATA, OPEN_ALWAYS), bytes);
}

bool ReplaceWholeFile(const SystemPath& path, std::string_view bytes) {
  const std::wstring target = win32::WidenPath(path);
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
  // A name of its own in the same folder, made anew: a move within one volume is one step.
  wchar_t beside[MAX_PATH];
  if (!GetTempFileNameW(folder.c_str(), L"vtx", 0, beside)) return false;
  bool written;
  {
    const Handle file = Open(beside, GENERIC_WRITE, TRUNCATE_EXISTING);
    written = WriteAll(file, bytes) && FlushFileBuffers(file.get());
  }
  if (written &&
      MoveFileExW(beside, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(beside);
  return false;
}

}  // namespace vetrix::platform

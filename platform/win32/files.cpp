// Plain files through the W functions, so that a path keeps every character it has.
#include "platform/files.h"

#include <algorithm>

#include "base/unique_handle.h"
#include "platform/win32/win32.h"

namespace vetrix::platform {
namespace {

using Handle = UniqueHandle<HANDLE, &CloseHandle>;

Handle Open(const SystemPath& path, DWORD access, DWORD disposition) {
  const HANDLE file = CreateFileW(win32::WidenPath(path).c_str(), access, FILE_SHARE_READ, nullptr,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return Handle(file == INVALID_HANDLE_VALUE ? nullptr : file);
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

bool AppendToFile(const SystemPath& path, std::string_view bytes) {
  // Append access alone: every write goes to the end, wherever the file ends by then.
  return WriteAll(Open(path, FILE_APPEND_DATA, OPEN_ALWAYS), bytes);
}

bool RewriteFile(const SystemPath& path, std::string_view bytes) {
  return WriteAll(Open(path, GENERIC_WRITE, CREATE_ALWAYS), bytes);
}

}  // namespace vetrix::platform

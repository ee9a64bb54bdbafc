#include "platform/profile.h"

#include "platform/win32/win32.h"

namespace vetrix::platform {

std::string ProfileReadString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view fallback) {
  char buffer[2048];
  const DWORD n =
      GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                               std::string(fallback).c_str(), buffer, sizeof buffer, file.c_str());
  return std::string(buffer, n);
}

bool ProfileWriteString(const std::string& file, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
  const std::string v = value ? std::string(*value) : std::string();
  return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    value ? v.c_str() : nullptr, file.c_str()) != FALSE;
}

// Every key is read through the routine above: the file is what the system reads, and its
// reading is what the portable format was only checked against under Wine.
std::shared_ptr<const ProfileText> ProfileSnapshot(const std::string&) { return nullptr; }

namespace {

// With no key name the routine lists a section's keys as "a\0b\0\0", with no section name too
// the sections; grow until the list fits.
std::vector<std::string> ProfileList(const std::string& file, const char* section) {
  std::string buffer(4096, '\0');
  for (;;) {
    const DWORD n = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), file.c_str());
    if (n + 2 < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < buffer.size()) {
    const std::size_t end = buffer.find('\0', start);
    const std::size_t stop = end == std::string::npos ? buffer.size() : end;
    if (stop > start) names.emplace_back(buffer, start, stop - start);
    start = stop + 1;
  }
  return names;
}

}  // namespace

std::vector<std::string> ProfileKeyNames(const std::string& file, std::string_view section) {
  return ProfileList(file, std::string(section).c_str());
}

std::vector<std::string> ProfileSectionNames(const std::string& file) {
  return ProfileList(file, nullptr);
}

void SetCurrentDirectory(const SystemPath& directory) {
  SetCurrentDirectoryW(win32::WidenPath(directory).c_str());
}

SystemPath CurrentDirectory() {
  std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
  path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
  return win32::PathOf(path);
}

SystemPath ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return win32::PathOf(path);
}

}  // namespace vetrix::platform

// Profile files (gesture.ini) and the current directory through which the program finds it.
// On Windows these are the system's profile routines; elsewhere the portable format beside this
// header (profile_format.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/path.h"

namespace vetrix::platform {

// The value, trimmed and cut to 2047 bytes; `fallback` when the key, section or file is missing.
std::string ProfileReadString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view fallback);
// Sets the key, or deletes it when `value` is nullopt. False when the file cannot be written.
bool ProfileWriteString(const std::string& file, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value);
// The whole file, or nothing when it cannot be read (a missing file among them).
std::optional<std::string> ProfileFileContent(const std::string& file);
// The names of the section's keys, in file order.
std::vector<std::string> ProfileKeyNames(const std::string& file, std::string_view section);

void SetCurrentDirectory(const SystemPath& directory);
// With backslashes, as SetCurrentDirectory takes it.
SystemPath CurrentDirectory();
// The program file's full path, with backslashes.
SystemPath ExecutablePath();

}  // namespace vetrix::platform

// Profile files (gesture.ini) and the current directory through which the program finds it.
// On Windows these are the system's profile routines; elsewhere the portable format of
// profile_format/.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/path.h"
#include "profile_format/document.h"

namespace vetrix::platform {

// The value, trimmed and cut to 2047 bytes; `fallback` when the key, section or file is missing.
std::string ProfileReadString(const std::string& file, std::string_view section,
                              std::string_view key, std::string_view fallback);
// Sets the key, or deletes it when `value` is nullopt. False when the file cannot be written.
bool ProfileWriteString(const std::string& file, std::string_view section, std::string_view key,
                        std::optional<std::string_view> value);
// For a run of reads of one file, such as a step of loading: the file parsed once, where this
// platform answers reads with the portable format anyway (the fake world; a missing file reads
// as an empty one). Nothing where each read must go to the system's routine, which the format
// only imitates (Windows), or to its reading of a byte-order mark. Later writes to the file
// leave it as it was.
std::shared_ptr<const ProfileText> ProfileSnapshot(const std::string& file);
// The names of the section's keys, in file order.
std::vector<std::string> ProfileKeyNames(const std::string& file, std::string_view section);
// The names of the file's sections, in file order.
std::vector<std::string> ProfileSectionNames(const std::string& file);

void SetCurrentDirectory(const SystemPath& directory);
// With backslashes, as SetCurrentDirectory takes it.
SystemPath CurrentDirectory();
// The program file's full path, with backslashes.
SystemPath ExecutablePath();

}  // namespace vetrix::platform

// Plain files the program keeps besides gesture.ini (the attempt trace). Each call opens the
// file, does its one thing and closes it again; nothing stays open between calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/path.h"

namespace vetrix::platform {

// The file's size in bytes; nothing when there is no such file or it cannot be looked at.
std::optional<std::uint64_t> FileSize(const SystemPath& path);
// The whole file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const SystemPath& path);
// Each false when the file system refuses: a folder that does not exist, a read-only file, no
// rights, a full disk.
bool AppendToFile(const SystemPath& path, std::string_view bytes);
// The file holds `bytes` and nothing else; it is made if missing.
bool RewriteFile(const SystemPath& path, std::string_view bytes);

}  // namespace vetrix::platform

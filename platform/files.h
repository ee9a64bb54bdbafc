// Plain files the program keeps besides gesture.ini (the attempt trace). Each call opens the
// file, does its one thing and closes it again; nothing stays open between calls.
#pragma once

#include <cstddef>
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
// The file's first `count` bytes, fewer when it is shorter; empty when there is no such file;
// nothing when it is there but cannot be read.
std::optional<std::string> ReadFileStart(const SystemPath& path, std::size_t count);
// Each false when the file system refuses: a folder that does not exist, a read-only file, no
// rights, a full disk.
bool AppendToFile(const SystemPath& path, std::string_view bytes);
// The file holds `bytes` and nothing else; it is made if missing. The bytes are written beside
// it and put in its place in one step, so that a failure leaves the old file whole.
bool ReplaceWholeFile(const SystemPath& path, std::string_view bytes);

}  // namespace vetrix::platform

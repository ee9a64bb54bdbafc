#pragma once

#include <string>
#include <string_view>

namespace vetrix {

// The folder part of a Windows path, up to and including its last backslash; empty when it
// has none.
inline std::string FolderOf(std::string_view path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace vetrix

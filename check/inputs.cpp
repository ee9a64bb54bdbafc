#include "check/inputs.h"

#include <climits>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "base/path.h"

namespace vetrix::check {

std::vector<fake::World::Sample> ParseTrace(const std::string& text) {
  std::vector<fake::World::Sample> track;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::istringstream fields(line);
    long long ms = 0, x = 0, y = 0;
    std::string rest;
    const bool read = static_cast<bool>(fields >> ms >> x >> y) && !(fields >> rest);
    const bool fits =
        ms >= 0 && x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX;
    const auto at = static_cast<std::uint64_t>(ms);
    if (!read || !fits || (!track.empty() && at < track.back().at))
      throw std::runtime_error("line " + std::to_string(number) +
                               ": expected \"milliseconds x y\", times never decreasing: " + line);
    track.push_back({at, {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)}});
  }
  return track;
}

std::optional<bool> ActionFileExists(const std::string& cp1251Path) {
  const std::string utf8 = Utf8FromCp1251(cp1251Path);
  const std::filesystem::path path(std::u8string(utf8.begin(), utf8.end()));
  if (!path.is_absolute()) return std::nullopt;
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  if (error) return std::nullopt;
  return exists;
}

}  // namespace vetrix::check

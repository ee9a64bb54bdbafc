#include "check/inputs.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "base/path.h"

namespace vetrix::check {
namespace {

constexpr std::string_view kAttemptMark = "# attempt ";
// Far beyond any screen, and small enough that the difference of two points, and the drawing
// of the path, stay well inside 32-bit numbers.
constexpr long long kCoordinateLimit = 1'000'000;

// Reads one sample line onto the track, or throws naming it.
void ReadSample(const std::string& line, int number, std::vector<fake::World::Sample>& track) {
  std::istringstream fields(line);
  long long ms = 0, x = 0, y = 0;
  std::string rest;
  const bool read = static_cast<bool>(fields >> ms >> x >> y) && !(fields >> rest);
  const auto at = static_cast<std::uint64_t>(ms);
  if (!read || ms < 0 || (!track.empty() && at < track.back().at))
    throw std::runtime_error("line " + std::to_string(number) +
                             ": expected \"milliseconds x y\", times never decreasing: " + line);
  if (x < -kCoordinateLimit || x > kCoordinateLimit || y < -kCoordinateLimit ||
      y > kCoordinateLimit)
    throw std::runtime_error("line " + std::to_string(number) + ": x and y are screen pixels, " +
                             "from -1000000 to 1000000: " + line);
  track.push_back({at, {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)}});
}

// "DATE TIME, MODE, END[, first N samples lost][, program NAME]": the end is read where it is
// one the program writes; the text is kept as it is either way.
AttemptHeader ReadHeader(std::string whole) {
  AttemptHeader header;
  constexpr std::string_view kProgram = ", program ";
  std::string text = whole;
  if (const std::size_t at = text.rfind(kProgram); at != std::string::npos) {
    header.program = text.substr(at + kProgram.size());
    text.resize(at);
  }
  std::vector<std::string> parts;
  for (std::size_t from = 0;;) {
    const std::size_t comma = text.find(", ", from);
    parts.push_back(text.substr(from, comma == std::string::npos ? comma : comma - from));
    if (comma == std::string::npos) break;
    from = comma + 2;
  }
  if (parts.size() >= 3) {
    const std::string& end = parts[2];
    header.endText = text.substr(parts[0].size() + parts[1].size() + 4);
    int row = -1;
    char extra = 0;
    if (end == "ended by the timer") {
      header.end = AttemptHeader::End::kTimer;
    } else if (end == "ended with the run") {
      header.end = AttemptHeader::End::kRun;
    } else if (std::sscanf(end.c_str(), "fired row %d%c", &row, &extra) == 1 && row >= 0) {
      header.end = AttemptHeader::End::kFired;
      header.firedRow = row;
    }
  }
  long long lost = 0;
  char extra = 0;
  if (parts.size() >= 4 &&
      std::sscanf(parts[3].c_str(), "first %lld samples lost%c", &lost, &extra) == 1 && lost > 0)
    header.samplesLost = lost;
  header.text = std::move(whole);
  return header;
}

template <typename OnLine>
void ForEachLine(const std::string& text, OnLine onLine) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    onLine(line, number);
  }
}

bool Skipped(const std::string& line) {
  const auto first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#';
}

}  // namespace

std::vector<fake::World::Sample> ParseTrace(const std::string& text) {
  std::vector<fake::World::Sample> track;
  ForEachLine(text, [&](const std::string& line, int number) {
    if (!Skipped(line)) ReadSample(line, number, track);
  });
  return track;
}

std::vector<Attempt> ParseAttempts(const std::string& text) {
  std::vector<Attempt> attempts(1);
  ForEachLine(text, [&](const std::string& line, int number) {
    if (line.starts_with(kAttemptMark)) {
      // Lines before the first header (comments, say) open no attempt of their own.
      if (attempts.back().header || !attempts.back().samples.empty()) attempts.emplace_back();
      attempts.back().header = ReadHeader(line.substr(kAttemptMark.size()));
      attempts.back().program = attempts.back().header->program;
      attempts.back().line = number;
    } else if (!Skipped(line)) {
      ReadSample(line, number, attempts.back().samples);
    }
  });
  return attempts;
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

#include "check/inputs.h"

#include <climits>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "base/attempt_trace_format.h"
#include "base/path.h"

namespace vetrix::check {
namespace {

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
  std::string text = whole;
  if (const std::size_t at = text.rfind(kTraceProgramField); at != std::string::npos) {
    header.program = text.substr(at + kTraceProgramField.size());
    text.resize(at);
  }
  std::vector<std::string> parts;
  for (std::size_t from = 0;;) {
    const std::size_t comma = text.find(kTraceFieldSeparator, from);
    parts.push_back(text.substr(from, comma == std::string::npos ? comma : comma - from));
    if (comma == std::string::npos) break;
    from = comma + kTraceFieldSeparator.size();
  }
  if (parts.size() >= 3) {
    header.endText =
        text.substr(parts[0].size() + parts[1].size() + 2 * kTraceFieldSeparator.size());
    if (const std::optional<AttemptEnding> ending = ReadEnding(parts[2])) {
      using Kind = AttemptEnding::Kind;
      header.end = ending->kind == Kind::kFired   ? AttemptHeader::End::kFired
                   : ending->kind == Kind::kTimer ? AttemptHeader::End::kTimer
                                                  : AttemptHeader::End::kRun;
      if (ending->kind == Kind::kFired) header.firedRow = ending->row;
    }
  }
  if (parts.size() >= 4) header.samplesLost = ReadSamplesLost(parts[3]).value_or(0);
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
    if (line.starts_with(kAttemptOpening)) {
      // Lines before the first header (comments, say) open no attempt of their own.
      if (attempts.back().header || !attempts.back().samples.empty()) attempts.emplace_back();
      attempts.back().header = ReadHeader(line.substr(kAttemptOpening.size()));
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

#include "base/attempt_trace_format.h"

#include <cstdio>

namespace vetrix {
namespace {

constexpr std::string_view kFiredRow = "fired row ";
constexpr std::string_view kEndedByTimer = "ended by the timer";
constexpr std::string_view kEndedWithRun = "ended with the run";
// The same words read back; the %c catches anything after them.
constexpr const char* kFiredRowPattern = "fired row %d%c";
constexpr const char* kSamplesLostPattern = "first %lld samples lost%c";

}  // namespace

std::string EndingText(const AttemptEnding& ending) {
  switch (ending.kind) {
    case AttemptEnding::Kind::kFired:
      return std::string(kFiredRow) + std::to_string(ending.row);
    case AttemptEnding::Kind::kTimer:
      return std::string(kEndedByTimer);
    case AttemptEnding::Kind::kRun:
      break;
  }
  return std::string(kEndedWithRun);
}

std::optional<AttemptEnding> ReadEnding(const std::string& text) {
  if (text == kEndedByTimer) return AttemptEnding{AttemptEnding::Kind::kTimer};
  if (text == kEndedWithRun) return AttemptEnding{AttemptEnding::Kind::kRun};
  int row = -1;
  char extra = 0;
  if (std::sscanf(text.c_str(), kFiredRowPattern, &row, &extra) == 1 && row >= 0)
    return AttemptEnding{AttemptEnding::Kind::kFired, row};
  return std::nullopt;
}

std::string SamplesLostText(std::size_t lost) {
  return "first " + std::to_string(lost) + " samples lost";
}

std::optional<long long> ReadSamplesLost(const std::string& text) {
  long long lost = 0;
  char extra = 0;
  if (std::sscanf(text.c_str(), kSamplesLostPattern, &lost, &extra) == 1 && lost > 0) return lost;
  return std::nullopt;
}

}  // namespace vetrix

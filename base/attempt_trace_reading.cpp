// The attempt trace read back, for vetrix-check.
#include <cstdio>

#include "base/attempt_trace_format.h"

namespace vetrix {
namespace {

// The words EndingText and SamplesLostText write; the %c catches anything after them.
constexpr const char* kFiredRowPattern = "fired row %d%c";
constexpr const char* kSamplesLostPattern = "first %lld samples lost%c";

}  // namespace

std::optional<AttemptEnding> ReadEnding(const std::string& text) {
  if (text == kTraceEndedByTimer) return AttemptEnding{AttemptEnding::Kind::kTimer};
  if (text == kTraceEndedWithRun) return AttemptEnding{AttemptEnding::Kind::kRun};
  int row = -1;
  char extra = 0;
  if (std::sscanf(text.c_str(), kFiredRowPattern, &row, &extra) == 1 && row >= 0)
    return AttemptEnding{AttemptEnding::Kind::kFired, row};
  return std::nullopt;
}

std::optional<long long> ReadSamplesLost(const std::string& text) {
  long long lost = 0;
  char extra = 0;
  if (std::sscanf(text.c_str(), kSamplesLostPattern, &lost, &extra) == 1 && lost > 0) return lost;
  return std::nullopt;
}

}  // namespace vetrix

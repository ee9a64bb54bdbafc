#include "base/attempt_trace_format.h"

namespace vetrix {

std::string EndingText(const AttemptEnding& ending) {
  switch (ending.kind) {
    case AttemptEnding::Kind::kFired:
      return std::string(kTraceFiredRow) + std::to_string(ending.row);
    case AttemptEnding::Kind::kTimer:
      return std::string(kTraceEndedByTimer);
    case AttemptEnding::Kind::kRun:
      break;
  }
  return std::string(kTraceEndedWithRun);
}

std::string SamplesLostText(std::size_t lost) {
  return "first " + std::to_string(lost) + " samples lost";
}

}  // namespace vetrix

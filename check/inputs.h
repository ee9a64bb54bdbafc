// What vetrix-check reads besides the gesture file: a pointer trace, and the files that
// actions open.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/fake/world.h"

namespace vetrix::check {

// One sample per line, "milliseconds x y" (screen pixels, y down), times never decreasing;
// blank lines and lines starting with "#" are skipped. Throws std::runtime_error naming the
// first line that is none of these.
std::vector<fake::World::Sample> ParseTrace(const std::string& text);

// What the program wrote after "# attempt ": when, the mode, and what ended the attempt.
struct AttemptHeader {
  std::string text;     // as written
  std::string endText;  // what follows the mode
  enum class End { kUnknown, kFired, kTimer, kRun } end = End::kUnknown;
  int firedRow = -1;  // with kFired
  long long samplesLost = 0;
  std::string program;  // the program in front as the attempt began (its last part), if named
};

// A file the program recorded holds one attempt after each "# attempt " line, its times
// counted from the attempt's first sample; a trace written by hand without such lines is one
// attempt with no header. Samples as ParseTrace reads them, times never decreasing within an
// attempt; an attempt with no sample is kept.
struct Attempt {
  std::optional<AttemptHeader> header;
  int line = 1;  // where it starts in the file
  std::vector<fake::World::Sample> samples;
  // The program in front while it is explained: the header's, or the one the user names.
  std::string program;
};
std::vector<Attempt> ParseAttempts(const std::string& text);

// Whether the file an action opens exists, for an absolute path on this system; nothing for
// what only the shell can resolve (a bare name, a relative path, another system's path).
std::optional<bool> ActionFileExists(const std::string& cp1251Path);

}  // namespace vetrix::check

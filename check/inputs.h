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

// Whether the file an action opens exists, for an absolute path on this system; nothing for
// what only the shell can resolve (a bare name, a relative path, another system's path).
std::optional<bool> ActionFileExists(const std::string& cp1251Path);

}  // namespace vetrix::check

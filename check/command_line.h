// vetrix-check's command line: [--json] [--draw DIR] [--replay TRACE] [FILE].
#pragma once

#include <ostream>

namespace vetrix::check {

// Exit statuses: 0 no problem, 1 warnings only, 2 an error the program reports at start-up,
// 3 FILE or TRACE cannot be read, DIR cannot be written, or the command line is wrong.
inline constexpr int kUnusableInput = 3;

int RunCheck(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vetrix::check

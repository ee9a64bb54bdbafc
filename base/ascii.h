// Case rules of the program's texts: only the Latin letters A-Z fold; Cyrillic and every other
// byte compare as they are.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vetrix {

std::string AsciiLower(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// Equal for texts that EqualsIgnoringAsciiCase calls equal.
std::uint64_t HashIgnoringAsciiCase(std::string_view text);

}  // namespace vetrix

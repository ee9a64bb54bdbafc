// Case rules of the program's texts: only the Latin letters A-Z fold; Cyrillic and every other
// byte compare as they are.
#pragma once

#include <string>
#include <string_view>

namespace vetrix {

std::string AsciiLower(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace vetrix

// The number syntax of gesture.ini: integer keys and the pieces of an angle list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vetrix {

// Optional leading blanks, then "$", "x", "X", "0x" or "0X" and hex digits, or an optional sign
// and decimal digits; nothing may follow. Hex digits are the value itself, so "$80000000" does
// not fit and "-$1" is no number. nullopt when the text is not a number or does not fit.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// Plain decimal, "-" before negatives, no leading zeros: the only form the program writes.
std::string IntToText(std::int32_t value);

}  // namespace vetrix

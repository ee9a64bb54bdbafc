#include "store/number.h"

#include <cstddef>

namespace vetrix {
namespace {

// 16 for anything that is no digit in any base used here.
int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 16;
}

// Accumulates in 64 bits against a bound, so no digit run can overflow before it is refused.
std::optional<std::int64_t> Digits(std::string_view s, int base, std::int64_t limit) {
  if (s.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : s) {
    const int d = DigitValue(c);
    if (d >= base) return std::nullopt;
    value = value * base + d;
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view s) {
  constexpr std::int64_t kMax = INT32_MAX;
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  s.remove_prefix(i);
  if (s.empty()) return std::nullopt;

  std::string_view hex;
  bool isHex = true;
  if (s[0] == '$' || s[0] == 'x' || s[0] == 'X')
    hex = s.substr(1);
  else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
    hex = s.substr(2);
  else
    isHex = false;
  if (isHex) {
    const auto v = Digits(hex, 16, kMax);
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
  }

  bool negative = false;
  if (s[0] == '-' || s[0] == '+') {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  const auto v = Digits(s, 10, negative ? kMax + 1 : kMax);
  if (!v) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -*v : *v);
}

std::string IntToText(std::int32_t value) { return std::to_string(value); }

}  // namespace vetrix

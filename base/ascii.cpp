#include "base/ascii.h"

#include <array>

namespace vetrix {
namespace {
// A table rather than a test: the profile file compares names at every key, and a test costs
// more under the fuzzer's comparison tracing.
constexpr auto kFolded = [] {
  std::array<char, 256> folded{};
  for (int c = 0; c < 256; ++c)
    folded[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return folded;
}();

char Fold(char c) { return kFolded[static_cast<unsigned char>(c)]; }
}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Fold(c);
  return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

std::uint64_t HashIgnoringAsciiCase(std::string_view text) {
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(Fold(c))) * 1099511628211u;
  // The low bits alone, which a table of a power of two takes, are shared by names that end in
  // letters that differ only in their high bits: mixed in from the high ones (MurmurHash3's end).
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccdu;
  hash ^= hash >> 33;
  return hash;
}

}  // namespace vetrix

#include "recognition/script_field.h"

namespace vetrix {

std::string_view ScriptFields::Next() {
  if (done_) return {};
  const std::size_t length = text_.size();
  const std::size_t start = i_ + 1;
  std::size_t i = start;
  // Positions count from 1; the character at position `length` is never examined.
  while (i < length && text_[i - 1] != ';') ++i;
  i_ = i;
  if (i >= length) done_ = true;
  return start > length ? std::string_view() : text_.substr(start - 1, i - start);
}

std::string ScriptField(std::string_view text, int n) {
  if (n < 1) return {};
  ScriptFields fields(text);
  std::string_view field;
  for (int k = 0; k < n; ++k) field = fields.Next();
  return std::string(field);
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace vetrix

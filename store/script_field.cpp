#include "store/script_field.h"

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

}  // namespace vetrix

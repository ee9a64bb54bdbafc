// The field rule of command scripts read plainly, apart from the program's one-pass walker:
// the text's last character never belongs to a field, and what is left splits at every ";".
// Tests and the fuzz target check the program against it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vetrix::testing {

// Every field, in order.
inline std::vector<std::string> PlainFields(std::string_view text) {
  if (text.empty()) return {};
  std::vector<std::string> fields(1);
  for (char c : text.substr(0, text.size() - 1)) {
    if (c == ';')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

inline std::string PlainField(std::string_view text, int n) {
  const std::vector<std::string> fields = PlainFields(text);
  return n >= 1 && n <= static_cast<int>(fields.size()) ? fields[n - 1] : std::string();
}

}  // namespace vetrix::testing

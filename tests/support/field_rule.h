// The field rule of command scripts read plainly, apart from the program's one-pass walker:
// the text's last character never belongs to a field, and what is left splits at every ";".
// Tests and the fuzz target check the program against it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vetrix::testing {

inline std::string PlainField(std::string_view text, int n) {
  if (text.empty() || n < 1) return {};
  std::vector<std::string> fields(1);
  for (char c : text.substr(0, text.size() - 1)) {
    if (c == ';')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return n <= static_cast<int>(fields.size()) ? fields[n - 1] : std::string();
}

}  // namespace vetrix::testing

// Fields of a command script: "*name;field;field;". The text's last character always closes
// the last field and never belongs to it, so a script is written with a closing ";".
#pragma once

#include <string>
#include <string_view>

#include "base/ascii.h"

namespace vetrix {

// Field n (from 1); the empty text when there is no such field.
std::string ScriptField(std::string_view text, int index);

// What the action list shows for an action: a command's name, or the file itself.
inline std::string ActionDisplayName(const std::string& action) {
  return !action.empty() && action[0] == '*' ? ScriptField(action, 1) : action;
}

// Walks the fields in order, as ScriptField(text, 1), (text, 2), ... would give them, in one pass.
class ScriptFields {
 public:
  explicit ScriptFields(std::string_view text) : text_(text) {}
  std::string_view Next();

 private:
  std::string_view text_;
  std::size_t i_ = 0;  // position of the last stop, counted from 1
  bool done_ = false;
};

}  // namespace vetrix

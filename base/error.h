// How handlers fail: an Error carries the program's own message text (code page 1251). It ends
// the handler and every loop running inside it; whoever dispatched the message shows it in the
// default error box and goes on.
#pragma once

#include <stdexcept>
#include <string>

namespace vetrix {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vetrix

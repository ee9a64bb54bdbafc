// How handlers fail. An error inside a handler is an Error carrying the program's own message
// text (code page 1251); it ends that handler and every loop running inside it, and whoever
// dispatched the message shows it in the default error box and goes on. No exception crosses a
// Win32 frame.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace vetrix {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

namespace platform {

void ShowErrorBox(const std::string& message);

// Runs one handler as the message dispatcher does.
template <class F>
void RunHandler(F&& handler) {
  try {
    std::forward<F>(handler)();
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  }
}

}  // namespace platform
}  // namespace vetrix

// Running a handler as the message dispatcher does: an Error (or any other exception) ends the
// handler and is shown in the default error box; no exception crosses a Win32 frame.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "base/error.h"

namespace vetrix::platform {

void ShowErrorBox(const std::string& message);

// How many handlers have run: a pump tells by it whether a message handled inside the
// system's own call ran one.
inline std::uint64_t g_handlersRun = 0;

template <class F>
void RunHandler(F&& handler) {
  ++g_handlersRun;
  try {
    std::forward<F>(handler)();
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  }
}

}  // namespace vetrix::platform

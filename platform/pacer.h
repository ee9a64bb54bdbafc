// Paces a loop that samples the pointer: a pass every `interval` milliseconds while the pointer
// moves; once it has stood still for a few passes, none until a message arrives or the pointer
// moves again, so that a program that waits for gestures costs nothing while the mouse rests.
#pragma once

#include <cstdint>

#include "base/geometry.h"

namespace vetrix::platform {

class Pacer {
 public:
  explicit Pacer(std::uint32_t intervalMs) : interval_(intervalMs) {}

  // After each pass and the pump that follows it, with the pointer that pass saw. `ending`: the
  // loop stops after this pass, and must not be kept waiting. `handled`: the pump handled a
  // message, and what its handler changed is looked at by a pass before the loop waits.
  void AfterPass(Point cursor, bool ending, bool handled);

 private:
  // Still passes before waiting: where a move is reported a moment before the pointer's
  // position shows it, the passes just after it still see where the pointer came to rest.
  static constexpr int kStillPassesBeforeWaiting = 3;

  std::uint32_t interval_;
  Point last_;
  bool seen_ = false;
  int still_ = 0;
};

}  // namespace vetrix::platform

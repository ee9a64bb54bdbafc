#include "platform/movement_watch.h"

namespace vetrix::platform {

void MovementWatch::Doubt(std::uint64_t nowMs) {
  if (nowMs + kDoubtMs > doubtUntil_) doubtUntil_ = nowMs + kDoubtMs;
}

bool MovementWatch::MayWait(std::uint64_t nowMs, bool (*anyWindowHung)()) {
  if (doubtUntil_ == 0) return true;
  if (nowMs < doubtUntil_) return false;
  if (anyWindowHung()) {
    doubtUntil_ = nowMs + kRecheckMs;
    return false;
  }
  doubtUntil_ = 0;
  return true;
}

MovementWatch::Verdict MovementWatch::Look(std::uint64_t nowMs, bool movedUnheard,
                                           bool windowHung) {
  if (!movedUnheard && !windowHung) return {};
  Doubt(nowMs);
  // Under Wine a new hook hears no more than the old one over a hung window.
  return {true, !windowHung};
}

}  // namespace vetrix::platform

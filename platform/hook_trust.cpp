#include "platform/hook_trust.h"

namespace vetrix::platform {

void HookTrust::Doubt(std::uint64_t nowMs) {
  if (nowMs + kDoubtMs > doubtUntil_) doubtUntil_ = nowMs + kDoubtMs;
}

bool HookTrust::MayWait(HookWorld& world) {
  if (doubtUntil_ == 0) return true;
  const std::uint64_t now = world.NowMs();
  if (now < doubtUntil_) return false;
  if (world.AnyWindowHung()) {
    doubtUntil_ = now + kRecheckMs;
    return false;
  }
  doubtUntil_ = 0;
  return true;
}

Point HookTrust::Read(HookWorld& world) {
  const std::optional<Point> heard = world.Heard();
  if (heard && agreed_ && ++sinceAsked_ < kAskEvery) return *heard;
  sinceAsked_ = 0;
  const Point system = world.SystemPointer();
  // The hook hears a move before the system takes it: the record may be a move ahead.
  agreed_ = heard && (*heard == system || world.Heard() == system);
  return system;
}

Woken HookTrust::RestingWait(HookWorld& world) {
  if (!world.LibraryRuns() || !MayWait(world)) return Woken::kNotWaiting;
  // While the loop looked at every pass, the hook may have been off: once it is back, the
  // pointer is where the last pass saw it, or it moved unheard meanwhile.
  const bool wasHearing = world.Hearing();
  if (!wasHearing) {
    if (world.SystemPointer() != world.LastRead()) return Woken::kPointerMoved;
    if (!world.HearMoves(true)) return Woken::kNotWaiting;
  }
  const Point rest = world.SystemPointer();
  if (!wasHearing && rest != world.LastRead()) return Woken::kPointerMoved;
  for (;;) {
    switch (world.Wait(kLookMs)) {
      case HookWorld::Wake::kMoveHeard:
        // The loop looks at every pass now, and needs the hook no more until it rests again.
        world.HearMoves(false);
        return Woken::kPointerMoved;
      case HookWorld::Wake::kMessage:
        return Woken::kMessage;
      case HookWorld::Wake::kTimedOut:
        break;
    }
    // A look at the pointer and at the window in front now and then tells a silent library
    // from a resting pointer. Either sign ends the wait, and the loop looks at every pass; with
    // no hung window to explain the silence, the system may have dropped the hook: it goes back
    // first (under Wine a new hook hears no more than the old one over a hung window).
    const bool movedUnheard = world.SystemPointer() != rest;
    const bool windowHung = world.ForegroundHung();
    if (!movedUnheard && !windowHung) continue;
    Doubt(world.NowMs());
    if (!windowHung) world.SetHookAgain();
    return movedUnheard ? Woken::kPointerMoved : Woken::kNotWaiting;
  }
}

}  // namespace vetrix::platform

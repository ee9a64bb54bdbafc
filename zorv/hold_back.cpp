#include "zorv/hold_back.h"

#include "zorv/zorv.h"

namespace zorv {

namespace {

bool HoldsBack(unsigned button, std::uintptr_t trigger) {
  return Listened(button, trigger) && (trigger & kTriggerHoldBack);
}

// A negative metric counts the same on both sides.
long Magnitude(long v) { return v < 0 ? -v : v; }

}  // namespace

bool Listened(unsigned button, std::uintptr_t trigger) {
  return (trigger & kTriggerOn) && button != kButtonNone && button == (trigger & kButtonMask);
}

Verdict HoldBack::OnButton(unsigned button, bool down, Point pt, std::uintptr_t trigger,
                           Slop slop) {
  if (held_ != kButtonNone && button == held_ && !down) {
    held_ = kButtonNone;
    // The release point counts too: a jump may come without a move event in between.
    return wandered_ || !Near(pt) ? Verdict::kSwallow : Verdict::kReplay;
  }
  // While one press is held, everything else passes. A second press of the held button means
  // its release never reached us (the system skips a hook that answers too late), so the new
  // press starts afresh rather than leaving that button held for good.
  if (held_ != kButtonNone && button != held_) return Verdict::kPass;
  held_ = kButtonNone;
  if (!down || !HoldsBack(button, trigger)) return Verdict::kPass;
  held_ = button;
  press_ = pt;
  // The rectangle around the press, whatever the metrics become while it is held.
  slop_ = {Magnitude(slop.x), Magnitude(slop.y)};
  wandered_ = false;
  return Verdict::kSwallow;
}

void HoldBack::OnMove(Point pt) {
  // A gesture may come back to its start (right, then left): the whole path counts, not just
  // the ends.
  if (held_ != kButtonNone && !Near(pt)) wandered_ = true;
}

bool HoldBack::Near(Point pt) const {
  const long dx = pt.x - press_.x, dy = pt.y - press_.y;
  return dx >= -slop_.x && dx <= slop_.x && dy >= -slop_.y && dy <= slop_.y;
}

bool SilenceWatch::Look(std::uint32_t moves, Point pointer, std::uint64_t heard) {
  const bool moved = pointer.x != pointer_.x || pointer.y != pointer_.y;
  const bool unheard = looked_ && moves == moves_ && moved &&
                       heard != PackPoint(static_cast<std::int32_t>(pointer.x),
                                          static_cast<std::int32_t>(pointer.y));
  looked_ = true;
  moves_ = moves;
  pointer_ = pointer;
  return unheard;
}

}  // namespace zorv

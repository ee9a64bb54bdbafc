// The hook's decisions on each button event, kept apart from the Win32 plumbing so that they
// read as the plain rules documented in zorv.h.
#pragma once

#include <cstdint>

namespace zorv {

struct Point {
  long x = 0;
  long y = 0;
};

// How far a held press may wander, in x and in y either way, and still count as a click: the
// system's drag rectangle (SM_CXDRAG, SM_CYDRAG).
struct Slop {
  long x = 0;
  long y = 0;
};

enum class Verdict {
  kPass,     // the system sees the event
  kSwallow,  // the system never sees it
  kReplay,   // a held click ends here: swallow the release and replay the whole click
};

// Whether the program listens to this button (kButtonLeft ... kButtonRight) under the
// property's word: only then is the event posted.
bool Listened(unsigned button, std::uintptr_t trigger);

class HoldBack {
 public:
  // trigger: the property's word; slop: the drag rectangle at this moment.
  Verdict OnButton(unsigned button, bool down, Point pt, std::uintptr_t trigger, Slop slop);
  void OnMove(Point pt);
  // A press is held back: its release must still be heard.
  bool Holding() const { return held_ != 0; }

 private:
  bool Near(Point pt) const;

  unsigned held_ = 0;
  Point press_;
  Slop slop_;
  bool wandered_ = false;
};

// Tells a hook the system dropped from a resting pointer, at slow looks: the pointer moved
// since the last look, the hook heard no move meanwhile, and its last point is not where the
// pointer is (the program itself may have put the pointer there).
class SilenceWatch {
 public:
  // moves: the hook's count of moves; heard: its last point (PackPoint), or
  // PointerRecord::kUnknown. True when the hook must be set again.
  bool Look(std::uint32_t moves, Point pointer, std::uint64_t heard);

 private:
  bool looked_ = false;
  std::uint32_t moves_ = 0;
  Point pointer_;
};

}  // namespace zorv

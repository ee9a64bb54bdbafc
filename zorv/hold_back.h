// The hook's decisions on each button event, kept apart from the Win32 plumbing so that they
// read as the plain rules documented in zorv.h.
#pragma once

#include <cstdint>

namespace zorv {

struct Point {
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
  // button: kButtonLeft, kButtonMiddle or kButtonRight; trigger: the property's word.
  Verdict OnButton(unsigned button, bool down, Point pt, std::uintptr_t trigger);
  void OnMove(Point pt);

 private:
  bool Near(Point pt) const;

  unsigned held_ = 0;
  Point press_;
  bool wandered_ = false;
};

}  // namespace zorv

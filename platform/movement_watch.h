// Whether a resting loop may wait for the hook library's word that the pointer moved. The
// library hears only what the system passes it: under Wine no move over a window that has
// stopped answering (its thread is the one that reads the display's events there); on Windows
// nothing more once the system has dropped the hook for an answer that came late. The
// pointer's position is right all along.
// So once a window is known to hang (a command to it timed out, or a wait's look finds the
// window in front hung), or the pointer is found moved though the library said nothing, the
// loop looks at the pointer at every pass again, until no window hangs.
#pragma once

#include <cstdint>

namespace vetrix::platform {

class MovementWatch {
 public:
  // Wine and Windows call a window hung once it has taken no message for 5 s: until then the
  // sign that raised the doubt is all there is.
  static constexpr std::uint64_t kDoubtMs = 5000;
  // While in doubt, how often the system is asked again whether a window hangs.
  static constexpr std::uint64_t kRecheckMs = 1000;
  // How often a wait looks at the pointer and at the window in front.
  static constexpr std::uint64_t kLookMs = 5000;

  // A window stopped answering, or the pointer moved and the library did not say so.
  void Doubt(std::uint64_t nowMs);
  // Whether the loop may wait for the library's word now. `anyWindowHung` asks the system; it
  // is called only once a doubt has run its time, and then at most once every kRecheckMs.
  bool MayWait(std::uint64_t nowMs, bool (*anyWindowHung)());

  // What a wait's look found: the pointer moved though the library said nothing; the window
  // in front hangs. What the wait does about it: ends (and the loop looks at every pass); puts the
  // hook back first, where no hung window explains the silence and the system may have dropped it.
  struct Verdict {
    bool endWait = false;
    bool reinstallHook = false;
  };
  Verdict Look(std::uint64_t nowMs, bool movedUnheard, bool windowHung);

 private:
  std::uint64_t doubtUntil_ = 0;  // 0: no doubt
};

}  // namespace vetrix::platform

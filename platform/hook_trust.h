// How far the program trusts the hook library Zorv.dll, and the resting wait built on it: one
// rule and one wait for both worlds, each world giving only its primitives (HookWorld).
//
// The library's word that the pointer moved. It hears only what the system passes it: under
// Wine no move over a window that has stopped answering (its thread is the one that reads the
// display's events there); on Windows nothing more once the system has dropped the hook for an
// answer that came late. The pointer's position is right all along. So once a window is known
// to hang (a command to it timed out, or a wait's look finds the window in front hung), or the
// pointer is found moved though the library said nothing, the loop looks at the pointer at every
// pass again, until no window hangs.
//
// The library's pointer record (where its hook last heard the pointer) stands for the system's
// pointer only while the two agree. They part where the hook hears no move (a window hangs; the
// system dropped the hook; another program or ours set the pointer) and where the hook's point
// is not the program's (scaled coordinates, a clipped pointer). So a read now and then asks the
// system too, and while the two differ every read does, until they agree again.
#pragma once

#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "platform/system.h"

namespace vetrix::platform {

// What a world gives the trust and the wait: the hook library's side and the system's.
class HookWorld {
 public:
  // Whether a library runs that tells of moves; asked first at every wait.
  virtual bool LibraryRuns() = 0;
  // Whether the hook is on: it may have been taken off while a loop looked by itself.
  virtual bool Hearing() = 0;
  // Puts the hook on or takes it off where nothing but moves would be missed; whether it is on.
  virtual bool HearMoves(bool hear) = 0;
  // Sets the hook afresh, as the system may have dropped it.
  virtual void SetHookAgain() = 0;
  // Where the hook last heard the pointer; none while it is off or has heard nothing yet.
  virtual std::optional<Point> Heard() = 0;
  enum class Wake { kMoveHeard, kMessage, kTimedOut };
  // Until the hook hears a move (one heard since the last wait ended counts), a new message
  // comes or `ms` pass.
  virtual Wake Wait(std::uint64_t ms) = 0;

  virtual std::uint64_t NowMs() = 0;
  // The system's pointer, and where the program last read it.
  virtual Point SystemPointer() = 0;
  virtual Point LastRead() = 0;
  // Whether a visible window of another thread is called hung; whether the one in front is.
  virtual bool AnyWindowHung() = 0;
  virtual bool ForegroundHung() = 0;

 protected:
  ~HookWorld() = default;
};

class HookTrust {
 public:
  // Wine and Windows call a window hung once it has taken no message for 5 s: until then the
  // sign that raised the doubt is all there is.
  static constexpr std::uint64_t kDoubtMs = 5000;
  // While in doubt, how often the system is asked again whether a window hangs.
  static constexpr std::uint64_t kRecheckMs = 1000;
  // How often a wait looks at the pointer and at the window in front.
  static constexpr std::uint64_t kLookMs = 5000;
  // Reads that take the record between two that ask the system.
  static constexpr int kAskEvery = 8;

  // A window stopped answering, or the pointer moved and the library did not say so.
  void Doubt(std::uint64_t nowMs);
  // The program set the pointer itself, which the hook does not hear.
  void PointerSet() { agreed_ = false; }

  // Where the pointer is: the record's point while trusted, else the system's.
  Point Read(HookWorld& world);

  // Waits until a message arrives or the pointer moves; kNotWaiting at once where moves cannot
  // be heard or are doubted: the loop looks at the pointer by itself then.
  Woken RestingWait(HookWorld& world);

 private:
  // Whether the loop may wait for the library's word now; the system is asked whether a window
  // hangs only once a doubt has run its time, and then at most once every kRecheckMs.
  bool MayWait(HookWorld& world);

  std::uint64_t doubtUntil_ = 0;  // 0: no doubt
  bool agreed_ = false;           // the record and the system agreed at the last ask
  int sinceAsked_ = 0;
};

}  // namespace vetrix::platform

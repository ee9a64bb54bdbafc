// Zorv.dll as the program sees it, the one place that calls it. Its two fixed exports are
// imported: the program does not start without them. The others are looked up by name, once:
// the program must also run beside a library that has only the two, and then polls. Here too
// is how far the program trusts what the hook heard (platform/hook_trust.h), with the
// primitives of the resting wait.
#pragma once

#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "platform/hook_trust.h"
#include "platform/system.h"
#include "zorv/zorv.h"

namespace vetrix::win32 {

class HookLibrary final : private platform::HookWorld {
 public:
  // The process's one.
  static HookLibrary& Get();

  void Install();
  void Uninstall();
  // Which button triggers recognition and whether the hook holds that button's press back
  // while recognition decides (0 = no button).
  void SetTrigger(int button, bool on, bool holdBack);
  // A window command timed out: the hook may have gone deaf (under Wine it hears nothing while
  // a window hangs), so resting loops look at the pointer themselves for a while.
  void Doubt();
  // The pointer as the program reads it, and the word that the program moved it itself.
  Point ReadPointer();
  void PointerSet();
  platform::Woken RestingWait();

 private:
  struct Exports {
    zorv::PointerRecordFn record = nullptr;
    zorv::HearMovesFn hearMoves = nullptr;
    zorv::SetAgainFn setAgain = nullptr;
  };

  HookLibrary();
  // Null while no hook runs, and beside a library without the export.
  zorv::PointerRecord* Record() const;
  // A library without the switch always hears. `tell`: ask even when the hook hears already,
  // so that the library learns of a trigger just turned on.
  bool Hear(bool hear, bool tell);

  bool LibraryRuns() override;
  bool Hearing() override;
  bool HearMoves(bool hear) override { return Hear(hear, false); }
  void SetHookAgain() override;
  std::optional<Point> Heard() override;
  Wake Wait(std::uint64_t ms) override;
  std::uint64_t NowMs() override;
  Point SystemPointer() override;
  Point LastRead() override { return lastRead_; }
  bool AnyWindowHung() override;
  bool ForegroundHung() override;

  const Exports exports_;
  platform::HookTrust trust_;
  zorv::PointerRecord* waitingOn_ = nullptr;  // the record of the resting wait that runs
  // The move count that the last resting wait saw: moves since then wake the next at once, as
  // the passes in between may have read the pointer before the system took the last of them.
  std::uint32_t movesSeen_ = 0;
  Point lastRead_;
  Point lastSystem_;
};

}  // namespace vetrix::win32

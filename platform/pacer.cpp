#include "platform/pacer.h"

#include "platform/system.h"

namespace vetrix::platform {

void Pacer::AfterPass(Point cursor, bool ending, bool handled) {
  still_ = seen_ && cursor == last_ ? still_ + 1 : 0;
  last_ = cursor;
  seen_ = true;
  if (!ending && !handled && still_ >= kStillPassesBeforeWaiting) {
    switch (WaitForMessageOrPointerMove()) {
      case Woken::kPointerMoved:
        still_ = 0;
        return;
      case Woken::kMessage:
        // The pump after the next pass handles it; the pass after that pump runs before the
        // loop waits again. A pointer move seen meanwhile earns its own still passes.
        return;
      case Woken::kNotWaiting:
        break;
    }
  }
  Sleep(interval_);
}

}  // namespace vetrix::platform

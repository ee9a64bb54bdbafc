#include "platform/pacer.h"

#include "platform/system.h"

namespace vetrix::platform {

void Pacer::AfterPass(Point cursor, bool ending) {
  still_ = seen_ && cursor == last_ ? still_ + 1 : 0;
  last_ = cursor;
  seen_ = true;
  if (!ending && still_ >= kStillPassesBeforeWaiting) {
    switch (WaitForMessageOrPointerMove()) {
      case Woken::kPointerMoved:
        still_ = 0;
        return;
      case Woken::kMessage:
        // The next pass sees whether the pointer moved as well; if not, it waits again at once.
        return;
      case Woken::kNotWaiting:
        break;
    }
  }
  Sleep(interval_);
}

}  // namespace vetrix::platform

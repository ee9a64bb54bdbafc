#include "platform/pacer.h"

#include "platform/system.h"

namespace vetrix::platform {

void Pacer::AfterPass(Point cursor, bool ending) {
  still_ = seen_ && cursor == last_ ? still_ + 1 : 0;
  last_ = cursor;
  seen_ = true;
  if (!ending && still_ >= kStillPassesBeforeWaiting && WaitForMessageOrPointerMove()) {
    still_ = 0;
    return;
  }
  Sleep(interval_);
}

}  // namespace vetrix::platform

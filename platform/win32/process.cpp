// The process as a whole: the single-instance guard and the end.
#include "platform/system.h"
#include "platform/win32/win32.h"

namespace vetrix::platform {

bool AcquireInstanceGuard() {
  // Auto-reset and created signalled: the first instance's own wait consumes the signal, so
  // every later instance times out. The handle stays open for the life of the process.
  HANDLE guard = CreateEventA(nullptr, FALSE, TRUE, "Vetrix_MESSAGE");
  return guard != nullptr && WaitForSingleObject(guard, 10) == WAIT_OBJECT_0;
}

void ExitProcess(int code) { ::ExitProcess(static_cast<UINT>(code)); }

}  // namespace vetrix::platform

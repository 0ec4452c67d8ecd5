#include "platform/sim/sim_windows.h"

namespace {
// The model runs on one thread, like the program's user-interface thread.
DWORD lastError = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError() {
  return lastError;
}
void SetLastError(DWORD error) {
  lastError = error;
}

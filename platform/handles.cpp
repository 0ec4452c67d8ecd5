#include "platform/handles.h"

ClipboardOpen::ClipboardOpen(HWND owner, ClipboardPatience patience) {
  // GetTickCount, not a count of attempts: Sleep may last a whole timer period (~16 ms)
  // on Windows, so the deadline keeps the total wait near what was asked for.
  const DWORD start = GetTickCount();
  while (!(open_ = OpenClipboard(owner) != FALSE)) {
    if (GetTickCount() - start >= patience.milliseconds) break;
    Sleep(patience.pauseMilliseconds);
  }
}

#include "store/clipboard_privacy.h"

#include <cstring>

#include "platform/handles.h"

bool OpenClipboardContentIsPrivate(const CClipboardFormatSet& offered) {
  static const UINT exclude =
      RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
  static const UINT ignore = RegisterClipboardFormatA("Clipboard Viewer Ignore");
  static const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");

  if (offered.Has(exclude) || offered.Has(ignore)) return true;
  if (!offered.Has(history)) return false;
  HANDLE data = GetClipboardData(history);
  if (data == nullptr) return false;
  GlobalLockGuard lock(data);
  DWORD allowed = 1;
  if (lock.data() == nullptr || lock.size() < sizeof allowed) return false;
  std::memcpy(&allowed, lock.data(), sizeof allowed);
  return allowed == 0;
}

#include "store/clipboard_owner.h"

#include "platform/handles.h"
#include "platform/windows_api.h"

namespace {

// The longest path the system gives a process image: 32767 characters.
constexpr DWORD kMaxImagePathUnits = 32768;

std::u16string ImageOfWindowProcess(HWND window) {
  if (window == nullptr) return {};
  DWORD processId = 0;
  if (GetWindowThreadProcessId(window, &processId) == 0 || processId == 0) return {};
  // The limited right is the one a process of a higher integrity level still grants.
  UniqueProcess process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  std::u16string path(MAX_PATH, u'\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process.get(), 0, AsWide(path.data()), &size)) {
      path.resize(size);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= kMaxImagePathUnits) return {};
    path.resize(path.size() * 4 > kMaxImagePathUnits ? kMaxImagePathUnits : path.size() * 4);
  }
}

}  // namespace

std::u16string ClipboardOwnerProgram() {
  std::u16string program = ImageOfWindowProcess(GetClipboardOwner());
  if (program.empty()) program = ImageOfWindowProcess(GetForegroundWindow());
  return program;
}

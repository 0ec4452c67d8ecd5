#include "store/clipboard_owner.h"

namespace {

// The longest path the system gives a process image: 32767 characters.
constexpr DWORD kMaxImagePathUnits = 32768;

std::u16string ImageOfProcess(HANDLE process) {
  std::u16string path(MAX_PATH, u'\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process, 0, AsWide(path.data()), &size)) {
      path.resize(size);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= kMaxImagePathUnits) return {};
    path.resize(path.size() * 4 > kMaxImagePathUnits ? kMaxImagePathUnits : path.size() * 4);
  }
}

}  // namespace

std::u16string CClipboardOwnerLookup::OwnerProgram() {
  std::u16string program = ProgramOfWindow(GetClipboardOwner());
  if (program.empty()) program = ProgramOfWindow(GetForegroundWindow());
  return program;
}

std::u16string CClipboardOwnerLookup::ProgramOfWindow(HWND window) {
  if (window == nullptr) return {};
  DWORD processId = 0;
  if (GetWindowThreadProcessId(window, &processId) == 0 || processId == 0) return {};
  if (process_ && processId == processId_) return program_;
  // The limited right is the one a process of a higher integrity level still grants.
  UniqueProcess process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  std::u16string program = ImageOfProcess(process.get());
  if (program.empty()) return {};
  processId_ = processId;
  process_ = std::move(process);
  program_ = program;
  return program;
}

std::u16string ClipboardOwnerProgram() {
  return CClipboardOwnerLookup().OwnerProgram();
}

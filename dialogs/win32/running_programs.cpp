#include "dialogs/win32/running_programs.h"

#include <algorithm>

#include "platform/handles.h"
#include "platform/windows_api.h"

namespace {

struct CWindowProcesses {
  DWORD self = 0;
  std::vector<DWORD> ids;
};

BOOL CALLBACK CollectWindowProcess(HWND window, LPARAM context) {
  auto& processes = *reinterpret_cast<CWindowProcesses*>(context);
  if (!IsWindowVisible(window)) return TRUE;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  if (id != 0 && id != processes.self &&
      std::find(processes.ids.begin(), processes.ids.end(), id) == processes.ids.end()) {
    processes.ids.push_back(id);
  }
  return TRUE;
}

}  // namespace

std::vector<std::u16string> RunningProgramPaths() {
  CWindowProcesses processes;
  processes.self = GetCurrentProcessId();
  EnumWindows(&CollectWindowProcess, reinterpret_cast<LPARAM>(&processes));
  std::vector<std::u16string> paths;
  for (const DWORD id : processes.ids) {
    const UniqueFile process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) continue;
    // Long paths reach 32,767 units.
    std::u16string path(32768, u'\0');
    auto size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process.get(), 0, AsWide(path.data()), &size)) continue;
    path.resize(size);
    paths.push_back(std::move(path));
  }
  return paths;
}

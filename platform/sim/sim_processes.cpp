// The model's processes: this program's own and those of other programs that tests make, as
// far as OpenProcess and QueryFullProcessImageNameW tell them apart.

#include <algorithm>
#include <string>

#include "platform/sim/sim_control.h"
#include "platform/sim/sim_state.h"

namespace {
using sim::detail::State;

// This program's image as GetModuleFileNameW gives it (a host path natively).
std::u16string OwnImage() {
  std::u16string path(4096, u'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path;
}

}  // namespace

HANDLE OpenProcess(DWORD access, BOOL, DWORD processId) {
  auto& model = State();
  const auto process = model.processes.find(processId);
  if (processId != sim::detail::kOwnProcessId && process == model.processes.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);  // what the system says of an id no process has
    return nullptr;
  }
  if ((access & ~PROCESS_QUERY_LIMITED_INFORMATION) != 0) {
    sim::detail::RecordMisuse("OpenProcess asked for more than the model grants");
  }
  if (process != model.processes.end() && !process->second.openable) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const std::uintptr_t handle = sim::detail::NewHandleValue();
  model.processHandles[handle] = processId;
  return reinterpret_cast<HANDLE>(handle);
}

BOOL QueryFullProcessImageNameW(HANDLE process, DWORD, LPWSTR name, LPDWORD size) {
  auto& model = State();
  const auto handle = model.processHandles.find(reinterpret_cast<std::uintptr_t>(process));
  if (handle == model.processHandles.end() || size == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const std::u16string image = handle->second == sim::detail::kOwnProcessId
                                   ? OwnImage()
                                   : model.processes.at(handle->second).image;
  // The size counts characters: the buffer's on the way in, the name's without its NUL on
  // the way out.
  if (image.size() + 1 > *size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::copy(image.begin(), image.end(), name);
  name[image.size()] = u'\0';
  *size = static_cast<DWORD>(image.size());
  return TRUE;
}

namespace sim::detail {

bool CloseProcessHandle(HANDLE handle) {
  return State().processHandles.erase(reinterpret_cast<std::uintptr_t>(handle)) != 0;
}

}  // namespace sim::detail

namespace sim {

HWND NewProgramWindow(const std::u16string& imagePath) {
  auto& model = State();
  const DWORD processId = model.nextProcessId++;
  model.processes[processId] = detail::Process{imagePath, true};
  HWND window = NewWindowHandle();
  model.windowProcesses[reinterpret_cast<std::uintptr_t>(window)] = processId;
  return window;
}

void SetProcessOpenable(HWND window, bool openable) {
  auto& model = State();
  const auto owner = model.windowProcesses.find(reinterpret_cast<std::uintptr_t>(window));
  if (owner == model.windowProcesses.end()) {
    detail::RecordMisuse("SetProcessOpenable of a window of this program");
    return;
  }
  model.processes[owner->second].openable = openable;
}

std::size_t LiveProcessHandles() {
  return State().processHandles.size();
}

}  // namespace sim

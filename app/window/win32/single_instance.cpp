#include "app/window/win32/single_instance.h"

#include <algorithm>

namespace {

std::wstring Wide(const std::string& ascii) {
  return {ascii.begin(), ascii.end()};
}

std::wstring MutexName(const std::string& name) {
  return L"Local\\" + Wide(name);
}

struct SearchState {
  const wchar_t* className;
  std::wstring property;
  HWND found = nullptr;
};

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM stateAddress) {
  auto* state = reinterpret_cast<SearchState*>(stateAddress);
  wchar_t className[64] = {};
  GetClassNameW(window, className, static_cast<int>(std::size(className)));
  if (std::wstring_view(className) != state->className) return TRUE;
  if (GetPropW(window, state->property.c_str()) == nullptr) return TRUE;
  state->found = window;
  return FALSE;
}

HWND FindMainWindow(const std::string& name, const wchar_t* className) {
  SearchState state{className, Wide(name)};
  EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

// True while any process has the mutex of `name` open.
bool NameHeld(const std::string& name) {
  const UniqueFile mutex(OpenMutexW(SYNCHRONIZE, FALSE, MutexName(name).c_str()));
  return static_cast<bool>(mutex);
}

}  // namespace

CSingleInstance::CSingleInstance(const std::string& name) : name_(name) {
  // Local: one copy per user session; another user's copy has its own data folder.
  mutex_.reset(CreateMutexW(nullptr, FALSE, MutexName(name).c_str()));
  first_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

void CSingleInstance::MarkMainWindow(HWND window) const {
  SetPropW(window, Wide(name_).c_str(), reinterpret_cast<HANDLE>(1));
}

void CSingleInstance::UnmarkMainWindow(HWND window) const {
  RemovePropW(window, Wide(name_).c_str());
}

bool CSingleInstance::ShowRunningCopy(const wchar_t* className) const {
  HWND found = FindMainWindow(name_, className);
  if (found == nullptr) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(found, &process);
  // This process was just started by the user and may pass the foreground on.
  AllowSetForegroundWindow(process);
  return PostMessageW(found, RegisterWindowMessageW(kShowListMessageName), 0, 0) != FALSE;
}

ECloseResult CloseRunningCopy(const std::string& name, std::chrono::milliseconds timeout,
                              const wchar_t* className) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  bool asked = false;
  // A copy that is starting holds the name before its window is marked, and one that is
  // ending unmarks its window before it lets go of the name: so ask whenever a window is
  // found, and wait for the name.
  while (NameHeld(name)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return ECloseResult::kStillRunning;
    HWND window = FindMainWindow(name, className);
    DWORD processId = 0;
    if (window != nullptr) GetWindowThreadProcessId(window, &processId);
    const UniqueFile process(processId != 0 ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr);
    if (process && PostMessageW(window, WM_CLOSE, 0, 0)) {
      asked = true;
      WaitForSingleObject(process.get(), static_cast<DWORD>(left.count()));
    } else {
      Sleep(static_cast<DWORD>(std::min<long long>(left.count(), 100)));
    }
  }
  return asked ? ECloseResult::kClosed : ECloseResult::kNoneRunning;
}

EPauseResult PauseRunningCopy(const std::string& name, bool paused,
                              std::chrono::milliseconds timeout, const wchar_t* className) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  const UINT message = RegisterWindowMessageW(kPauseMessageName);
  // As for a close: a copy that is starting holds the name before its window is marked.
  while (NameHeld(name)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return EPauseResult::kNoAnswer;
    DWORD_PTR answer = 0;
    HWND window = FindMainWindow(name, className);
    if (window != nullptr &&
        SendMessageTimeoutW(window, message, paused ? 1 : 0, 0, SMTO_ABORTIFHUNG,
                            static_cast<UINT>(left.count()), &answer) != 0 &&
        answer == static_cast<DWORD_PTR>(kPauseAnswer)) {
      return EPauseResult::kDone;
    }
    Sleep(static_cast<DWORD>(std::min<long long>(left.count(), 100)));
  }
  return EPauseResult::kNoneRunning;
}

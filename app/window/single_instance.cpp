#include "app/window/single_instance.h"

namespace {

std::wstring Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

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

}  // namespace

CSingleInstance::CSingleInstance(const std::string& name) : name_(name) {
  // Local: one copy per user session; another user's copy has its own data folder.
  mutex_.reset(CreateMutexW(nullptr, FALSE, (L"Local\\" + Wide(name)).c_str()));
  first_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

void CSingleInstance::MarkMainWindow(HWND window) const {
  SetPropW(window, Wide(name_).c_str(), reinterpret_cast<HANDLE>(1));
}

void CSingleInstance::UnmarkMainWindow(HWND window) const {
  RemovePropW(window, Wide(name_).c_str());
}

bool CSingleInstance::ShowRunningCopy(const wchar_t* className) const {
  SearchState state{className, Wide(name_)};
  EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&state));
  if (state.found == nullptr) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(state.found, &process);
  // This process was just started by the user and may pass the foreground on.
  AllowSetForegroundWindow(process);
  return PostMessageW(state.found, RegisterWindowMessageW(kShowListMessageName), 0, 0) != FALSE;
}

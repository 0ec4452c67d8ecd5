#include "tests/e2e/desktop.h"

#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Many ticks of a 10 ms poll, with room for a busy machine.
constexpr std::chrono::milliseconds kKeyHold{200};
constexpr std::chrono::milliseconds kKeyGap{40};
// Well within the system's double-click time.
constexpr std::chrono::milliseconds kClickGap{20};

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId) return TRUE;
  wchar_t text[256];
  if (GetClassNameW(window, text, 256) == 0 || std::wstring_view(text) != search.className) {
    return TRUE;
  }
  if (search.title != nullptr) {
    GetWindowTextW(window, text, 256);
    if (std::wstring_view(text) != search.title) return TRUE;
  }
  search.found = window;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(child);
  return TRUE;
}

}  // namespace

void PressKey(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    if (Clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void PumpFor(std::chrono::milliseconds duration) {
  PumpUntil([] { return false; }, duration);
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  WindowSearch search{processId, className, title, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::u16string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length)) {
    return {};
  }
  std::u16string text(length + 1, u'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 1000, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::u16string ChildTexts(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::u16string texts;
  for (HWND child : children) texts += WindowText(child) + u"\n";
  return texts;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

namespace {
void ClickWith(POINT point, DWORD down, DWORD up) {
  SetCursorPos(point.x, point.y);
  PumpFor(kKeyGap);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down;
  SendInput(1, &input, sizeof input);
  PumpFor(kKeyGap);
  input.mi.dwFlags = up;
  SendInput(1, &input, sizeof input);
  PumpFor(kKeyGap);
}
}  // namespace

void ClickAt(POINT point) {
  ClickWith(point, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void RightClickAt(POINT point) {
  ClickWith(point, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void DoubleClickAt(POINT point) {
  SetCursorPos(point.x, point.y);
  PumpFor(kKeyGap);
  INPUT input{};
  input.type = INPUT_MOUSE;
  for (int click = 0; click < 2; ++click) {
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof input);
    PumpFor(kClickGap);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    PumpFor(kClickGap);
  }
}

void TypeChord(std::initializer_list<WORD> keys) {
  for (WORD key : keys) {
    PressKey(key, true);
    PumpFor(kKeyGap);
  }
  PumpFor(kKeyHold);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    PressKey(*key, false);
    PumpFor(kKeyGap);
  }
}

bool StartUnixScript(const char* script, const std::string& argument) {
  // Wine's command line keeps a double-quoted argument together, not a single-quoted one.
  const std::string line = std::string("Z:\\bin\\bash ") + script + " \"" + argument + "\"";
  std::wstring command(line.begin(), line.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

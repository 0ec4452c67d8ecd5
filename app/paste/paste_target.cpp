#include "app/paste/paste_target.h"

namespace {

constexpr DWORD kSettleMilliseconds = 10;

}  // namespace

void ProcessWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool PostPasteToFocus(HWND target) {
  const DWORD thread = GetWindowThreadProcessId(target, nullptr);
  if (thread == 0) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) return false;
  return PostMessageW(info.hwndFocus, WM_PASTE, 0, 0) != FALSE;
}

void PasteToFocusedControl() {
  ProcessWaitingMessages();
  Sleep(kSettleMilliseconds);
  PostPasteToFocus(GetForegroundWindow());
}

void PasteIntoTarget(HWND target) {
  SwitchToThisWindow(target, TRUE);
  ProcessWaitingMessages();
  Sleep(kSettleMilliseconds);
  PostPasteToFocus(target);
}

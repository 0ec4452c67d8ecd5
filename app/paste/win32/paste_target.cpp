#include "app/paste/win32/paste_target.h"

#include <string>

#include "app/paste/held_keys.h"
#include "app/paste/paste_keystrokes.h"

namespace {

constexpr DWORD kSettleMilliseconds = 10;
// How long the popup's target may take to come to the front, and how often it is looked
// at meanwhile.
constexpr DWORD kForegroundPatienceMilliseconds = 500;
constexpr DWORD kForegroundPollMilliseconds = 5;

HWND FocusedControlOf(HWND window) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread == 0) return nullptr;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

// The system's class of the window: "Edit" also for a program's class built on the edit.
std::u16string RealClassOf(HWND window) {
  wchar_t name[256];
  const UINT length = RealGetWindowClassW(window, name, 256);
  return {reinterpret_cast<const char16_t*>(name), length};
}

bool WaitForForeground(HWND target, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (GetForegroundWindow() == target) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    ProcessWaitingMessages();
    Sleep(kForegroundPollMilliseconds);
  }
}

// The press of Alt lifts the foreground lock for the process that is given the next
// SetForegroundWindow (the system lets the user's Alt+Tab through that way); the masking
// key keeps the release from opening a menu bar.
void PressAndReleaseAlt() {
  INPUT inputs[4]{};
  const WORD keys[4] = {VK_MENU, kMaskKey, kMaskKey, VK_MENU};
  const DWORD flags[4] = {0, 0, KEYEVENTF_KEYUP, KEYEVENTF_KEYUP};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i];
    inputs[i].ki.dwFlags = flags[i];
  }
  SendInput(4, inputs, sizeof(INPUT));
}

}  // namespace

bool BringToFront(HWND target) {
  if (!IsWindow(target)) return false;
  if (GetForegroundWindow() == target) return true;
  if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
  SetForegroundWindow(target);
  if (WaitForForeground(target, kForegroundPatienceMilliseconds / 2)) return true;
  PressAndReleaseAlt();
  SetForegroundWindow(target);
  return WaitForForeground(target, kForegroundPatienceMilliseconds / 2);
}

namespace {

bool PasteInto(HWND target, EPasteMethod method, bool inFront) {
  HWND focus = FocusedControlOf(target);
  const EPasteWay way =
      ChoosePasteWay(method, focus != nullptr ? RealClassOf(focus) : std::u16string());
  if (way == EPasteWay::kMessage) {
    return focus != nullptr && PostMessageW(focus, WM_PASTE, 0, 0) != FALSE;
  }
  if (!inFront) return false;
  const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(target, nullptr));
  return SendPasteKeystrokes(
      way == EPasteWay::kShiftInsert ? EPasteChord::kShiftInsert : EPasteChord::kCtrlV, layout);
}

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

bool PasteToFocusedControl(EPasteMethod method) {
  ProcessWaitingMessages();
  Sleep(kSettleMilliseconds);
  // Whatever is in front takes the keystroke, the window of a console or of a program
  // whose focus lies in another process among them.
  return PasteInto(GetForegroundWindow(), method, true);
}

bool PasteIntoTarget(HWND target, EPasteMethod method) {
  const bool inFront = BringToFront(target);
  ProcessWaitingMessages();
  Sleep(kSettleMilliseconds);
  return PasteInto(target, method, inFront);
}

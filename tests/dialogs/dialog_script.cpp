#include "tests/dialogs/dialog_script.h"

#include <utility>
#include <vector>

#include "dialogs/win32/form_settings.h"
#include "platform/win32/modal_dialog.h"

CDialogScript::CDialogScript() {
  CModalDialog::SetTestDriver([this](HWND dialog) {
    if (steps_.empty()) {
      ++unexpected_;
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(dialog);
    // A step that failed before ending its dialog must not leave the test waiting; a dialog
    // that did end is gone before this message is read, and the message with it.
    if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
}

CDialogScript::~CDialogScript() {
  CModalDialog::SetTestDriver(nullptr);
}

CDialogScript& CDialogScript::Then(Step step) {
  steps_.push_back(std::move(step));
  return *this;
}

HWND Control(HWND dialog, int id) {
  HWND direct = GetDlgItem(dialog, id);
  return direct != nullptr ? direct : FindDialogControl(dialog, id);
}

void Click(HWND dialog, int id) {
  SendMessageW(Control(dialog, id), BM_CLICK, 0, 0);
}

bool Checked(HWND dialog, int id) {
  return SendMessageW(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ShowInFront(HWND dialog) {
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  UpdateWindow(dialog);
}

namespace {
void HandleMessagesFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}
}  // namespace

void MouseClickAt(POINT screen, DWORD downFlag, DWORD upFlag) {
  SetCursorPos(screen.x, screen.y);
  HandleMessagesFor(50);
  // Down and up in one go: a control that tracks the button in a loop of its own (to tell
  // a click from a drag) finds the release already waiting.
  INPUT inputs[2]{};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = downFlag;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = upFlag;
  SendInput(2, inputs, sizeof(INPUT));
  HandleMessagesFor(200);
}

namespace {

void HandleDialogMessagesFor(HWND dialog, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

INPUT KeyInput(WORD virtualKey, WORD character, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = character;
  input.ki.dwFlags = flags;
  return input;
}

}  // namespace

void TypeText(HWND dialog, std::u16string_view text) {
  std::vector<INPUT> inputs;
  for (const char16_t c : text) {
    inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  HandleDialogMessagesFor(dialog, 300);
}

void PressKey(HWND dialog, WORD virtualKey) {
  INPUT inputs[2] = {KeyInput(virtualKey, 0, 0), KeyInput(virtualKey, 0, KEYEVENTF_KEYUP)};
  SendInput(2, inputs, sizeof(INPUT));
  HandleDialogMessagesFor(dialog, 300);
}

std::u16string Text(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, AsWide(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void SetText(HWND window, std::u16string_view text) {
  const std::u16string copy(text);
  SetWindowTextW(window, AsWide(copy.c_str()));
}

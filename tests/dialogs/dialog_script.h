#pragma once
// Drives our modal dialogs in tests: each dialog that is shown runs the next step of the
// script inside its own message loop (CModalDialog::SetTestDriver). A step sets values with
// window messages, clicks buttons and ends its dialog. A dialog shown with no step left is
// cancelled and counted, so that a wrong turn fails the test instead of hanging it.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "platform/win32/gdi.h"

class CDialogScript {
 public:
  using Step = std::function<void(HWND dialog)>;

  CDialogScript();
  ~CDialogScript();
  CDialogScript(const CDialogScript&) = delete;
  CDialogScript& operator=(const CDialogScript&) = delete;

  CDialogScript& Then(Step step);

  // Steps not yet run, and dialogs that found none.
  std::size_t Pending() const { return steps_.size(); }
  int Unexpected() const { return unexpected_; }

 private:
  std::deque<Step> steps_;
  int unexpected_ = 0;
};

// The control `id` anywhere below `dialog`.
HWND Control(HWND dialog, int id);
// Clicks the button `id` of `dialog` the way a user would (BM_CLICK).
void Click(HWND dialog, int id);
// True when the check box `id` of `dialog` is checked.
bool Checked(HWND dialog, int id);
// Shows the dialog in front, as it will be once its script step returns, so that it can
// take real mouse input.
void ShowInFront(HWND dialog);
// A real click (SendInput) at the screen point with the button given by its mouse-event
// flags (MOUSEEVENTF_LEFTDOWN and MOUSEEVENTF_LEFTUP, ...); this thread's messages are
// handled until the click has been.
void MouseClickAt(POINT screen, DWORD downFlag, DWORD upFlag);
// Keys as a user types them (SendInput) into the control of `dialog` that has the focus, then
// this thread's messages handled for a while as the dialog's own loop handles them, so that
// Tab, the arrows, Enter and Esc do what they do for a user. `text` may be of any script.
void TypeText(HWND dialog, std::u16string_view text);
void PressKey(HWND dialog, WORD virtualKey);
// A window's text, UTF-16.
std::u16string Text(HWND window);
void SetText(HWND window, std::u16string_view text);

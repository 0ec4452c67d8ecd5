#include "dialogs/win32/unlock_form.h"

#include "dialogs/win32/common_controls.h"
#include "dialogs/win32/password_edit.h"

namespace {

// The wrong-password line takes a row of its own above the edit.
constexpr int kUnlockWrongRowHeight = 24;

}  // namespace

TUnlockForm::TUnlockForm(HWND owner, bool afterWrongPassword)
    : owner_(owner), afterWrongPassword_(afterWrongPassword) {
  SetForm(kUnlockCaption, 329, afterWrongPassword ? 157 + kUnlockWrongRowHeight : 157, L"Arial",
          -13);
}

std::optional<CSecretText> TUnlockForm::ExecuteUnlock() {
  EnsureCommonControls();
  password_.reset();
  if (Run(owner_) != IDOK) return std::nullopt;
  return std::move(password_);
}

bool TUnlockForm::OnInit() {
  AddControl(L"STATIC", L"Quillery's clips are protected by a password. Type it to open them.",
             SS_LEFT, 12, 12, 305, 36, -1);
  int top = 56;
  if (afterWrongPassword_) {
    AddControl(L"STATIC", kWrongPasswordLine, SS_LEFT, 12, top, 305, 16, kIdWrongPassword);
    top += kUnlockWrongRowHeight;
  }
  AddControl(L"STATIC", L"&Password", SS_LEFT, 12, top + 3, 90, 16, -1);
  AddControl(WC_EDITW, {}, kPasswordEditStyle, 108, top, 209, 24, kIdUnlockPassword,
             WS_EX_CLIENTEDGE);
  HWND ok =
      AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 161, top + 66, 75, 25, IDOK);
  AddControl(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 242, top + 66, 75, 25, IDCANCEL);
  EnableWindow(ok, FALSE);
  // Shown before any other window of the program, it must come to the front to be typed in.
  SetForegroundWindow(Handle());
  SetFocus(Item(kIdUnlockPassword));
  return true;
}

bool TUnlockForm::OnCommand(int id, int code, HWND control) {
  if (id == kIdUnlockPassword && code == EN_CHANGE) {
    EnableWindow(Item(IDOK), GetWindowTextLengthW(control) > 0);
    return true;
  }
  return CModalDialog::OnCommand(id, code, control);
}

bool TUnlockForm::OnOk() {
  CSecretText typed = ReadPasswordEdit(Item(kIdUnlockPassword));
  // Enter reaches here even while the OK button is disabled.
  if (typed.Empty()) {
    MessageBeep(MB_OK);
    return false;
  }
  password_ = std::move(typed);
  return true;
}

bool TUnlockForm::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&) {
  if (message == WM_DESTROY) ClearPasswordEdit(Item(kIdUnlockPassword));
  return false;
}

std::optional<CSecretText> AskUnlockPassword(HWND owner, bool afterWrongPassword) {
  TUnlockForm form(owner, afterWrongPassword);
  return form.ExecuteUnlock();
}

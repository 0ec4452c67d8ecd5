#include "dialogs/win32/new_password_form.h"

#include "dialogs/encryption_choice.h"
#include "dialogs/win32/common_controls.h"
#include "dialogs/win32/password_edit.h"

TNewPasswordForm::TNewPasswordForm(HWND owner) : owner_(owner) {
  SetForm(L"Choose a password", 329, 201, L"Arial", -13);
}

std::optional<CSecretText> TNewPasswordForm::ExecuteNewPassword() {
  EnsureCommonControls();
  password_.reset();
  if (Run(owner_) != IDOK) return std::nullopt;
  return std::move(password_);
}

bool TNewPasswordForm::OnInit() {
  AddControl(L"STATIC", L"Quillery will encrypt your clips with this password.", SS_LEFT, 12, 12,
             305, 16, -1);
  // Two lines at the design font, room for a third at larger ones.
  AddControl(L"STATIC", kNewPasswordWarning, SS_LEFT, 12, 34, 305, 48, -1);
  AddControl(L"STATIC", L"&Password", SS_LEFT, 12, 92, 110, 16, -1);
  AddControl(WC_EDITW, {}, kPasswordEditStyle, 128, 89, 189, 24, kIdNewPassword, WS_EX_CLIENTEDGE);
  AddControl(L"STATIC", L"&Type it again", SS_LEFT, 12, 126, 110, 16, -1);
  AddControl(WC_EDITW, {}, kPasswordEditStyle, 128, 123, 189, 24, kIdRepeatPassword,
             WS_EX_CLIENTEDGE);
  HWND ok = AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 161, 166, 75, 25, IDOK);
  AddControl(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 242, 166, 75, 25, IDCANCEL);
  EnableWindow(ok, FALSE);
  SetFocus(Item(kIdNewPassword));
  return true;
}

bool TNewPasswordForm::EntriesAcceptable() const {
  const CSecretText password = ReadPasswordEdit(Item(kIdNewPassword));
  const CSecretText repeated = ReadPasswordEdit(Item(kIdRepeatPassword));
  return NewPasswordAcceptable(password.View(), repeated.View());
}

bool TNewPasswordForm::OnCommand(int id, int code, HWND control) {
  if ((id == kIdNewPassword || id == kIdRepeatPassword) && code == EN_CHANGE) {
    EnableWindow(Item(IDOK), EntriesAcceptable());
    return true;
  }
  return CModalDialog::OnCommand(id, code, control);
}

bool TNewPasswordForm::OnOk() {
  // Enter reaches here even while the OK button is disabled.
  if (!EntriesAcceptable()) {
    MessageBeep(MB_OK);
    return false;
  }
  password_ = ReadPasswordEdit(Item(kIdNewPassword));
  return true;
}

bool TNewPasswordForm::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&) {
  if (message == WM_DESTROY) {
    ClearPasswordEdit(Item(kIdNewPassword));
    ClearPasswordEdit(Item(kIdRepeatPassword));
  }
  return false;
}

std::optional<CSecretText> AskNewPassword(HWND owner) {
  TNewPasswordForm form(owner);
  return form.ExecuteNewPassword();
}

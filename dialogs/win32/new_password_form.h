#pragma once
// TNewPasswordForm: "Choose a password", asked for when the clips are to be encrypted with a
// password and by "Change password...": the password twice, in password edits, with the
// warning that a forgotten password loses the clips. OK can act only while both entries are
// equal and not empty (NewPasswordAcceptable). Enter confirms, Esc cancels.

#include <optional>

#include "dialogs/secret_text.h"
#include "platform/win32/modal_dialog.h"

// Control ids of the dialog (GetDlgItem), for the tests that drive it.
enum ENewPasswordControl : int {
  kIdNewPassword = 501,     // the password edit
  kIdRepeatPassword = 502,  // the edit that repeats it
};

inline constexpr const wchar_t* kNewPasswordWarning =
    L"If you forget this password, your clips cannot be recovered. Nobody can open them "
    L"without it.";

class TNewPasswordForm final : public CModalDialog {
 public:
  // `owner` owns the dialog while it is shown (may be null).
  explicit TNewPasswordForm(HWND owner);

  // Shows the dialog; the password when it ends with OK, none otherwise. The edits are
  // emptied before the dialog goes.
  std::optional<CSecretText> ExecuteNewPassword();

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnOk() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  bool EntriesAcceptable() const;

  HWND owner_;
  std::optional<CSecretText> password_;
};

// Asks for a new password (TNewPasswordForm); none when the user cancels.
std::optional<CSecretText> AskNewPassword(HWND owner);

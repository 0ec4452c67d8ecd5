#pragma once
// TUnlockForm: "Quillery's clips are locked", shown before the clips are loaded when the data
// file is protected by a password: the password in a password edit, OK and Cancel. Shown
// again after a wrong password, it says so. OK can act once something is typed; Enter
// confirms, Esc cancels.

#include <optional>

#include "dialogs/secret_text.h"
#include "platform/win32/modal_dialog.h"

// Control ids of the dialog (GetDlgItem), for the tests that drive it.
enum EUnlockControl : int {
  kIdUnlockPassword = 511,  // the password edit
  kIdWrongPassword = 512,   // the line about a wrong password, present only after one
};

inline constexpr const wchar_t* kUnlockCaption = L"Quillery's clips are locked";
inline constexpr const wchar_t* kWrongPasswordLine =
    L"That password does not open the clips. Try again.";

class TUnlockForm final : public CModalDialog {
 public:
  // `owner` owns the dialog while it is shown (may be null: before the main window exists,
  // the dialog stands on its own in the taskbar). `afterWrongPassword` adds the line that
  // says the last password did not open the clips.
  TUnlockForm(HWND owner, bool afterWrongPassword);

  // Shows the dialog; the password when it ends with OK, none when cancelled. The edit is
  // emptied before the dialog goes.
  std::optional<CSecretText> ExecuteUnlock();

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnOk() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  HWND owner_;
  bool afterWrongPassword_;
  std::optional<CSecretText> password_;
};

// Asks for the password that opens the clips (TUnlockForm); none when the user cancels.
std::optional<CSecretText> AskUnlockPassword(HWND owner, bool afterWrongPassword);

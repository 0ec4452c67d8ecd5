#pragma once
// TAddProgramForm: "Add program", the small choice behind the "Privacy" page's "Add...": the
// running programs' executable names in a list, or a name typed by hand. Choosing in the list
// puts the name in the edit, so the edit holds the answer.

#include <string>
#include <vector>

#include "platform/win32/modal_dialog.h"

// Control ids of the dialog (GetDlgItem), for the tests that drive it.
enum EAddProgramControl : int {
  kIdRunningPrograms = 401,  // a list box of file names
  kIdProgramName = 402,      // the edit
};

class TAddProgramForm final : public CModalDialog {
 public:
  // `owner` owns the dialog while it is shown (may be null). `choices` are the names listed.
  TAddProgramForm(HWND owner, std::vector<std::u16string> choices);

  // Shows the dialog; the edit's text when it ends with OK, empty otherwise.
  std::u16string ExecuteChoice();

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnOk() override;

 private:
  HWND owner_;
  std::vector<std::u16string> choices_;
  std::u16string entry_;
};

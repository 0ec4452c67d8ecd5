// The settings dialog's "Privacy" page: the excluded programs, the age limit of history
// clips and whether every copy is kept; its "Encryption" group has a file of its own. The list is
// edited in values_ while the dialog is open and stored with the other settings on OK.

#include <string>
#include <vector>

#include "dialogs/privacy_page_rules.h"
#include "dialogs/win32/add_program_form.h"
#include "dialogs/win32/common_controls.h"
#include "dialogs/win32/form_settings.h"
#include "dialogs/win32/running_programs.h"

namespace {

bool PrivacyBoxChecked(HWND button) {
  return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

void TFormSettings::MakePrivacyPage(HWND page) {
  AddControlTo(page, L"STATIC", L"Do not keep what these programs copy", SS_LEFT, 17, 12, 336, 16,
               -1);
  AddControlTo(page, WC_LISTBOXW, {},
               WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 17,
               32, 232, 160, kIdExcludedPrograms, WS_EX_CLIENTEDGE);
  AddControlTo(page, L"BUTTON", L"Add\u2026", WS_TABSTOP, 264, 32, 94, 25, kIdAddProgram);
  AddControlTo(page, L"BUTTON", L"Remove", WS_TABSTOP, 264, 64, 94, 25, kIdRemoveProgram);

  AddControlTo(page, L"BUTTON", L"Forget history clips after", WS_TABSTOP | BS_AUTOCHECKBOX, 17,
               212, 178, 20, kIdForgetOn);
  AddSpin(page, kIdForgetAmount, kIdForgetAmountSpin, 198, 210, SpinRange{0, kForgetAmountMax}, 0);
  HWND unit = AddControlTo(page, WC_COMBOBOXW, {}, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 264,
                           210, 94, 150, kIdForgetUnit);
  for (const char16_t* item : kForgetUnitItems) {
    SendMessageW(unit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  AddControlTo(page, L"STATIC", L"Notes and user categories are never forgotten.", SS_LEFT, 35, 240,
               318, 16, -1);
  // Two lines: the sentence is wider than the page at larger fonts.
  AddControlTo(page, L"BUTTON", L"Keep every copy, even of a clip already in the history",
               WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP, 17, 272, 336, 36,
               kIdKeepDuplicates);
  MakeEncryptionGroup(page, 316);
}

void TFormSettings::LoadPrivacyControls() {
  HWND dialog = Handle();
  FillExcludedPrograms(-1);
  const CForgetAge age = ForgetAgeFromHours(values_.forgetAfterHours);
  SendMessageW(FindDialogControl(dialog, kIdForgetOn), BM_SETCHECK,
               age.on ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(FindDialogControl(dialog, kIdForgetAmountSpin), UDM_SETPOS32, 0, age.amount);
  SendMessageW(FindDialogControl(dialog, kIdForgetUnit), CB_SETCURSEL, age.unit, 0);
  SendMessageW(FindDialogControl(dialog, kIdKeepDuplicates), BM_SETCHECK,
               values_.keepDuplicates ? BST_CHECKED : BST_UNCHECKED, 0);
  UpdateForgetEnabling();
  UpdateEncryptionControls();
}

void TFormSettings::ReadPrivacyControls() {
  HWND dialog = Handle();
  CForgetAge age;
  age.on = PrivacyBoxChecked(FindDialogControl(dialog, kIdForgetOn));
  BOOL failed = FALSE;
  age.amount = static_cast<int>(SendMessageW(FindDialogControl(dialog, kIdForgetAmountSpin),
                                             UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  const LRESULT unit = SendMessageW(FindDialogControl(dialog, kIdForgetUnit), CB_GETCURSEL, 0, 0);
  age.unit = unit == CB_ERR ? kForgetUnitDays : static_cast<int>(unit);
  values_.forgetAfterHours = ForgetHoursFromAge(age);
  values_.keepDuplicates = PrivacyBoxChecked(FindDialogControl(dialog, kIdKeepDuplicates));
  values_.encryptClips = encryption_->ChosenMode();
}

void TFormSettings::FillExcludedPrograms(int selected) {
  HWND list = FindDialogControl(Handle(), kIdExcludedPrograms);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::u16string& name : values_.excludedPrograms) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  if (selected >= 0) {
    SendMessageW(list, LB_SETSEL, TRUE, selected);
    SendMessageW(list, LB_SETCARETINDEX, selected, FALSE);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void TFormSettings::AddProgramClick() {
  TAddProgramForm choice(Handle(), ProgramChoices(RunningProgramPaths(), values_.excludedPrograms));
  const std::u16string entry = choice.ExecuteChoice();
  const std::optional<std::size_t> index = AddExcludedProgram(values_.excludedPrograms, entry);
  if (index) FillExcludedPrograms(static_cast<int>(*index));
}

void TFormSettings::RemoveProgramClick() {
  HWND list = FindDialogControl(Handle(), kIdExcludedPrograms);
  // From the last row up, so that the indexes of the rows still to go stay valid.
  for (int row = static_cast<int>(values_.excludedPrograms.size()) - 1; row >= 0; --row) {
    if (SendMessageW(list, LB_GETSEL, row, 0) > 0) {
      values_.excludedPrograms.erase(values_.excludedPrograms.begin() + row);
    }
  }
  FillExcludedPrograms(-1);
}

void TFormSettings::UpdateForgetEnabling() {
  const bool on = PrivacyBoxChecked(FindDialogControl(Handle(), kIdForgetOn));
  for (const int id : {kIdForgetAmount, kIdForgetAmountSpin, kIdForgetUnit}) {
    EnableWindow(FindDialogControl(Handle(), id), on);
  }
}

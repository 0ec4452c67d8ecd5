#include "dialogs/win32/add_program_form.h"

#include <utility>

#include "dialogs/win32/common_controls.h"

namespace {

std::u16string ProgramEntryText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, AsWide(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace

TAddProgramForm::TAddProgramForm(HWND owner, std::vector<std::u16string> choices)
    : owner_(owner), choices_(std::move(choices)) {
  SetForm(L"Add program", 305, 289, L"Arial", -13);
}

std::u16string TAddProgramForm::ExecuteChoice() {
  EnsureCommonControls();
  if (Run(owner_) != IDOK) return {};
  return entry_;
}

bool TAddProgramForm::OnInit() {
  AddControl(L"STATIC", L"Running programs", SS_LEFT, 8, 8, 289, 16, -1);
  HWND list =
      AddControl(WC_LISTBOXW, {}, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 8,
                 26, 289, 160, kIdRunningPrograms, WS_EX_CLIENTEDGE);
  for (const std::u16string& name : choices_) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  AddControl(L"STATIC", L"Program file name, such as Vault.exe", SS_LEFT, 8, 196, 289, 16, -1);
  AddControl(WC_EDITW, {}, WS_TABSTOP | ES_AUTOHSCROLL, 8, 214, 289, 24, kIdProgramName,
             WS_EX_CLIENTEDGE);
  AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 141, 256, 75, 25, IDOK);
  AddControl(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 222, 256, 75, 25, IDCANCEL);
  return false;
}

bool TAddProgramForm::OnCommand(int id, int code, HWND control) {
  if (id == kIdRunningPrograms && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
    const LRESULT index = SendMessageW(control, LB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<std::size_t>(index) < choices_.size()) {
      SetWindowTextW(Item(kIdProgramName),
                     AsWide(choices_[static_cast<std::size_t>(index)].c_str()));
    }
    if (code == LBN_DBLCLK) PostMessageW(Handle(), WM_COMMAND, IDOK, 0);
    return true;
  }
  return CModalDialog::OnCommand(id, code, control);
}

bool TAddProgramForm::OnOk() {
  entry_ = ProgramEntryText(Item(kIdProgramName));
  return true;
}

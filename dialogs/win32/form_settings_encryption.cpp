// The "Encryption" group of the settings dialog's "Privacy" page: one radio button a mode
// (the account's only in an installed copy) and "Change password...". The radio buttons are
// automatic, so that the arrow keys choose as in any group of them, but every click sets
// their checks back to encryption_'s chosen mode: a password dialog that is cancelled leaves
// the choice, and the check, as they were.

#include <array>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "dialogs/encryption_choice.h"
#include "dialogs/win32/form_settings.h"
#include "dialogs/win32/new_password_form.h"
#include "foundation/settings_keys.h"

namespace {

struct CEncryptionRadio {
  int mode;
  int id;
  const wchar_t* text;
};

constexpr std::array<CEncryptionRadio, 3> kEncryptionRadios = {{
    {Settings::kEncryptClipsOff, kIdEncryptOff, L"Do not encrypt my clips"},
    {Settings::kEncryptClipsAccount, kIdEncryptAccount,
     L"Encrypt my clips with my Windows account"},
    {Settings::kEncryptClipsPassword, kIdEncryptPassword, L"Encrypt my clips with a password"},
}};

constexpr int kEncryptionRowHeight = 22;

const CEncryptionRadio* EncryptionRadioFor(int mode) {
  for (const CEncryptionRadio& radio : kEncryptionRadios) {
    if (radio.mode == mode) return &radio;
  }
  return nullptr;
}

}  // namespace

void TFormSettings::MakeEncryptionGroup(HWND page, int top) {
  const int gx = 16;
  const std::vector<int> modes = OfferedEncryptionModes(portable_);
  // Below the radio buttons: a portable copy's hint in two lines, then the button.
  const int rowsBottom = top + 20 + static_cast<int>(modes.size()) * kEncryptionRowHeight;
  const int hintHeight = portable_ ? 32 : 0;
  const int buttonTop = rowsBottom + 6 + hintHeight;
  AddControlTo(page, L"BUTTON", L"Encryption", BS_GROUPBOX, gx, top, 337, buttonTop + 33 - top, -1);
  for (std::size_t i = 0; i < modes.size(); ++i) {
    const CEncryptionRadio* radio = EncryptionRadioFor(modes[i]);
    const DWORD first = i == 0 ? WS_GROUP : 0;
    AddControlTo(page, L"BUTTON", radio->text, BS_AUTORADIOBUTTON | first, gx + 12,
                 top + 20 + static_cast<int>(i) * kEncryptionRowHeight, 313, 20, radio->id);
  }
  // Created before the hint so that the arrow keys end the group of radio buttons here.
  AddControlTo(page, L"BUTTON", L"Change password\u2026", WS_GROUP | WS_TABSTOP, gx + 12, buttonTop,
               130, 25, kIdChangePassword);
  if (portable_) {
    AddControlTo(page, L"STATIC",
                 L"A portable copy has no Windows account option: such a key would not travel "
                 L"with it to another computer.",
                 SS_LEFT | WS_GROUP, gx + 12, rowsBottom + 4, 313, hintHeight, kIdEncryptionHint);
  }
}

void TFormSettings::UpdateEncryptionControls() {
  const int chosen = encryption_->ChosenMode();
  bool anyChecked = false;
  for (const CEncryptionRadio& radio : kEncryptionRadios) {
    HWND button = FindDialogControl(Handle(), radio.id);
    if (button == nullptr) continue;
    const bool checked = radio.mode == chosen;
    anyChecked = anyChecked || checked;
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab comes to the checked button, as it does in a group of automatic ones.
    LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    style = checked ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(button, GWL_STYLE, style);
  }
  // A stored mode this copy does not offer shows no check; the first button takes Tab then.
  if (!anyChecked) {
    HWND off = FindDialogControl(Handle(), kIdEncryptOff);
    SetWindowLongPtrW(off, GWL_STYLE, GetWindowLongPtrW(off, GWL_STYLE) | WS_TABSTOP);
  }
  EnableWindow(FindDialogControl(Handle(), kIdChangePassword), encryption_->CanChangePassword());
}

void TFormSettings::EncryptionModeClick(int mode) {
  if (askingPassword_) return;
  if (encryption_->NeedsNewPassword(mode)) {
    // The focus goes to the button of the mode still chosen, checked again, while the
    // password is asked: a button that is not checked takes the focus coming back after the
    // dialog as a click, which would ask again.
    UpdateEncryptionControls();
    const CEncryptionRadio* current = EncryptionRadioFor(encryption_->ChosenMode());
    HWND checked = current != nullptr ? FindDialogControl(Handle(), current->id) : nullptr;
    if (checked != nullptr) SetFocus(checked);
    askingPassword_ = true;
    std::optional<CSecretText> password = AskNewPassword(Handle());
    askingPassword_ = false;
    if (password) encryption_->ChoosePassword(std::move(*password));
  } else {
    encryption_->Choose(mode);
  }
  UpdateEncryptionControls();
  const CEncryptionRadio* chosen = EncryptionRadioFor(encryption_->ChosenMode());
  HWND button = chosen != nullptr ? FindDialogControl(Handle(), chosen->id) : nullptr;
  if (button != nullptr) SetFocus(button);
}

void TFormSettings::ChangePasswordClick() {
  if (askingPassword_ || !encryption_->CanChangePassword()) return;
  askingPassword_ = true;
  std::optional<CSecretText> password = AskNewPassword(Handle());
  askingPassword_ = false;
  if (password) encryption_->ChoosePassword(std::move(*password));
  UpdateEncryptionControls();
}

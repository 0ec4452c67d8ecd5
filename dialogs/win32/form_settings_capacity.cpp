// The settings dialog's history capacity: a field wide enough for the largest capacity, and a
// line beside it that says in plain words when what is typed there is not taken, and why;
// OK is refused while it says so, rather than keeping the old capacity without a word.

#include <string>

#include "dialogs/settings_form_rules.h"
#include "dialogs/win32/common_controls.h"
#include "dialogs/win32/form_settings.h"

namespace {

// Design values at 96 dots per inch, on the "Clipboard" page.
constexpr int kCapacityLeft = 250, kCapacityTop = 117, kCapacityWidth = 88;
constexpr int kCapacityNoteTop = 143;

std::u16string CapacityFieldText(HWND edit) {
  const int length = GetWindowTextLengthW(edit);
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  const int copied = GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
  return text;
}

}  // namespace

void TFormSettings::MakeCapacityField(HWND page) {
  AddControlTo(page, L"STATIC", L"History storage capacity", SS_LEFT, 32, 120, 210, 16, -1);
  AddSpin(page, kIdCapacity, kIdCapacitySpin, kCapacityLeft, kCapacityTop, kCapacitySpinRange,
          values_.capacity, kCapacityWidth);
  AddControlTo(page, L"STATIC", {}, SS_LEFT, 32, kCapacityNoteTop, 306, 16, kIdCapacityNote);
}

std::u16string TFormSettings::UpdateCapacityNote() {
  std::u16string note =
      CapacityFieldNote(CapacityFieldText(FindDialogControl(Handle(), kIdCapacity)));
  SetWindowTextW(FindDialogControl(Handle(), kIdCapacityNote),
                 reinterpret_cast<const wchar_t*>(note.c_str()));
  return note;
}

bool TFormSettings::CapacityTaken() {
  if (UpdateCapacityNote().empty()) return true;
  // The page that shows the field and its note, with the keyboard in the field.
  HWND tab = FindDialogControl(Handle(), kIdPageControl);
  TabCtrl_SetCurSel(tab, 1);
  pages_.Show(1);
  HWND edit = FindDialogControl(Handle(), kIdCapacity);
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  return false;
}

#pragma once
// The rules of the "Encryption" group of the settings dialog's "Privacy" page and of the two
// password dialogs: which modes a copy offers, when the new-password dialog is asked for and
// what the page hands to the main window when the dialog ends with OK. The password itself
// is never a setting: it leaves the dialog only in CEncryptionChange.

#include <optional>
#include <string_view>
#include <vector>

#include "dialogs/secret_text.h"

// The modes a copy offers, in the order of their radio buttons: all three for an installed
// copy; off and password only for a portable one, since a key that only one Windows account
// can unwrap does not travel with a copy on a stick.
std::vector<int> OfferedEncryptionModes(bool portable);

// What the main window is asked to do with the clips: store them in `mode` (a value of
// "EncryptClips"), with `password` when the user set a new one.
struct CEncryptionChange {
  int mode = 0;
  std::optional<CSecretText> password;
};

// The mode shown and chosen on the page, and the password set while the dialog is open.
class CEncryptionChoice {
 public:
  // `storedMode` as read (ReadSettingInRange); the page starts on it.
  explicit CEncryptionChoice(int storedMode);

  int StoredMode() const { return stored_; }
  int ChosenMode() const { return chosen_; }

  // True when choosing `mode` first needs a new password: the password mode chosen from
  // another. Choosing it again while it is chosen needs nothing.
  bool NeedsNewPassword(int mode) const;
  // Chooses a mode that needs no new password (NeedsNewPassword false); forgets a password
  // set before, which the new mode does not use. False, with nothing changed, otherwise.
  bool Choose(int mode);
  // Chooses the password mode with `password` (not empty), replacing one set before.
  void ChoosePassword(CSecretText password);

  // "Change password..." can act while the password mode is chosen and a password exists:
  // the one the clips are stored with, or one set in this dialog.
  bool CanChangePassword() const;

  // What OK asks of the main window: none while the stored mode is kept and no password was
  // set; the chosen mode, with the new password if any, otherwise. Hands the password over:
  // a later call gives the mode alone.
  std::optional<CEncryptionChange> TakeChange();

 private:
  int stored_;
  int chosen_;
  std::optional<CSecretText> password_;
};

// The new-password dialog's OK: both entries equal and not empty. Any characters count,
// spaces included, exactly as typed.
bool NewPasswordAcceptable(std::u16string_view password, std::u16string_view repeated);

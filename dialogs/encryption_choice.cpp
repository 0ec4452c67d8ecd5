#include "dialogs/encryption_choice.h"

#include <utility>

#include "foundation/settings_keys.h"

std::vector<int> OfferedEncryptionModes(bool portable) {
  using namespace Settings;
  if (portable) return {kEncryptClipsOff, kEncryptClipsPassword};
  return {kEncryptClipsOff, kEncryptClipsAccount, kEncryptClipsPassword};
}

CEncryptionChoice::CEncryptionChoice(int storedMode) : stored_(storedMode), chosen_(storedMode) {}

bool CEncryptionChoice::NeedsNewPassword(int mode) const {
  return mode == Settings::kEncryptClipsPassword && chosen_ != Settings::kEncryptClipsPassword;
}

bool CEncryptionChoice::Choose(int mode) {
  if (NeedsNewPassword(mode)) return false;
  if (mode != Settings::kEncryptClipsPassword) password_.reset();
  chosen_ = mode;
  return true;
}

void CEncryptionChoice::ChoosePassword(CSecretText password) {
  chosen_ = Settings::kEncryptClipsPassword;
  password_ = std::move(password);
}

bool CEncryptionChoice::CanChangePassword() const {
  return chosen_ == Settings::kEncryptClipsPassword &&
         (stored_ == Settings::kEncryptClipsPassword || password_.has_value());
}

std::optional<CEncryptionChange> CEncryptionChoice::TakeChange() {
  if (chosen_ == stored_ && !password_) return std::nullopt;
  CEncryptionChange change;
  change.mode = chosen_;
  change.password = std::move(password_);
  password_.reset();
  return change;
}

bool NewPasswordAcceptable(std::u16string_view password, std::u16string_view repeated) {
  return !password.empty() && password == repeated;
}

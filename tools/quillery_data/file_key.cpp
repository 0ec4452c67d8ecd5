#include "tools/quillery_data/file_key.h"

#include <optional>
#include <string>

#include "foundation/crypto/account_protection.h"
#include "store/encrypted/unlock.h"
#include "tools/quillery_data/commands.h"
#include "tools/quillery_data/unicode_text.h"

namespace {

[[noreturn]] void KeyFailure(const std::filesystem::path& path, std::string_view why, int status) {
  throw CKeyError(Utf8FromPath(path) + ": " + std::string(why), status);
}

}  // namespace

CStoreKey KeyToOpen(const CEncryptedHeader& header, const std::filesystem::path& path,
                    const CPasswordSource& passwords) {
  std::u16string password;
  if (header.mode == EEncryption::kAccount) {
    // Asked first: Unlock would only find out after the account's call failed.
    if (!AccountProtectionAvailable()) {
      KeyFailure(path,
                 "this file is protected by a Windows account; open it with quillery-data on "
                 "Windows, as that user",
                 kExitFailure);
    }
  } else {
    password = passwords.ToOpen();
  }
  std::optional<CStoreKey> key;
  switch (Unlock(header, password, &key)) {
    case EUnlock::kUnlocked:
      return std::move(*key);
    case EUnlock::kWrongPassword:
      KeyFailure(path, "wrong password", kExitWrongPassword);
    case EUnlock::kOtherAccount:
      KeyFailure(path,
                 "this file is protected by another Windows account, or was written on another "
                 "system; open it as the user who wrote it",
                 kExitWrongPassword);
    case EUnlock::kNoAccount:
      KeyFailure(path,
                 "this file is protected by a Windows account; open it with quillery-data on "
                 "Windows, as that user",
                 kExitFailure);
    case EUnlock::kDamaged:
      break;
  }
  KeyFailure(path, "the encrypted file's header is damaged: its protection gives no key",
             kExitDamaged);
}

EEncryption EncryptionFromName(std::string_view name) {
  if (name == "account") return EEncryption::kAccount;
  if (name == "password") return EEncryption::kPassword;
  return EEncryption::kOff;
}

CStoreKey NewKeyToWrite(EEncryption mode, const CPasswordSource& passwords) {
  if (mode == EEncryption::kAccount) {
    if (!AccountProtectionAvailable()) {
      throw CKeyError(
          "--encrypt account needs a Windows account: run quillery-data on Windows, as the "
          "user who will open the file",
          kExitFailure);
    }
    return CStoreKey::NewForAccount();
  }
  return CStoreKey::NewForPassword(passwords.ToEncrypt());
}

std::string_view EncryptionDescription(EEncryption mode) {
  switch (mode) {
    case EEncryption::kAccount:
      return "encrypted for a Windows account";
    case EEncryption::kPassword:
      return "encrypted with a password";
    case EEncryption::kOff:
      break;
  }
  return "not encrypted";
}

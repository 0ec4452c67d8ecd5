#include "app/window/store_unlock.h"

#include <exception>
#include <utility>

#include "foundation/crypto/crypto_error.h"
#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/unlock.h"

namespace {

std::optional<CEncryptedHeader> HeaderOf(const std::filesystem::path& path) {
  try {
    return ReadEncryptedHeader(path);
  } catch (const std::exception&) {
    return std::nullopt;  // the load reads the file again and tells what is wrong
  }
}

std::u16string LockedNotice(EUnlock result) {
  switch (result) {
    case EUnlock::kOtherAccount:
      return u"Quillery's clips are encrypted for another Windows account, or on another "
             u"computer, and cannot be opened here.";
    case EUnlock::kNoAccount:
      return u"Quillery's clips are encrypted with a Windows account, which is not available "
             u"here.";
    default:
      return u"Quillery's clips stay locked: the password was not given.";
  }
}

constexpr char16_t kLockedConsequence[] =
    u"\n\nQuillery runs and captures, but it will not load or save your clips in this session, "
    u"and it leaves the encrypted files as they are.";

// The key of `header` with `password` (a mode 1 header ignores it); none if it fails.
std::shared_ptr<const CStoreKey> KeyOf(const CEncryptedHeader& header, std::u16string_view password,
                                       EUnlock* result) {
  std::optional<CStoreKey> key;
  try {
    *result = Unlock(header, password, &key);
  } catch (const std::exception&) {
    *result = EUnlock::kDamaged;
  }
  if (*result != EUnlock::kUnlocked || !key) return nullptr;
  return std::make_shared<const CStoreKey>(std::move(*key));
}

}  // namespace

CStoreKeys UnlockStore(const std::filesystem::path& dataFile, const std::filesystem::path& journal,
                       const PasswordQuestion& ask) {
  CStoreKeys keys;
  const std::optional<CEncryptedHeader> fileHeader = HeaderOf(dataFile);
  const std::optional<CEncryptedHeader> journalHeader = HeaderOf(journal);
  // The data file's header decides; a journal alone (a run ended before its first save)
  // stands in for it.
  const std::optional<CEncryptedHeader>& primary = fileHeader ? fileHeader : journalHeader;
  if (!primary || !primary->damage.empty()) return keys;  // the load tells of damage
  keys.found = primary->mode;

  std::optional<CSecretText> password;
  std::shared_ptr<const CStoreKey> key;
  EUnlock result = EUnlock::kDamaged;
  if (primary->mode == EEncryption::kPassword) {
    bool wrong = false;
    for (;;) {
      password = ask(wrong);
      if (!password) {
        result = EUnlock::kWrongPassword;
        break;
      }
      key = KeyOf(*primary, password->View(), &result);
      if (result != EUnlock::kWrongPassword) break;
      wrong = true;
    }
  } else {
    key = KeyOf(*primary, u"", &result);
  }
  if (!key && result != EUnlock::kDamaged) {
    keys.locked = true;
    keys.notice = LockedNotice(result) + kLockedConsequence;
    return keys;
  }
  if (fileHeader) keys.file = key;
  if (!journalHeader || !journalHeader->damage.empty()) return keys;
  if (key && key->Opens(*journalHeader)) {
    keys.journal = key;
  } else {
    // A journal of another key (a run that ended between the new file and the new journal).
    EUnlock journalResult;
    keys.journal = KeyOf(*journalHeader, password ? password->View() : u"", &journalResult);
  }
  return keys;
}

std::shared_ptr<const CStoreKey> StartingSaveKey(const CStoreKeys& keys, EEncryption chosen,
                                                 std::optional<std::u16string>* notice) {
  if (keys.file) return keys.file;
  if (keys.journal) return keys.journal;
  if (chosen == EEncryption::kPassword) {
    *notice =
        u"Encryption with a password is chosen, but no password is set: your clips are "
        u"saved unencrypted until you set one on the Privacy page of the settings.";
    return nullptr;
  }
  try {
    return NewSaveKey(chosen, nullptr);
  } catch (const CCryptoError&) {
    *notice =
        u"Your clips cannot be encrypted with your Windows account, so they are saved "
        u"unencrypted for now.";
    return nullptr;
  }
}

std::shared_ptr<const CStoreKey> NewSaveKey(EEncryption mode, const CSecretText* password) {
  switch (mode) {
    case EEncryption::kAccount:
      return std::make_shared<const CStoreKey>(CStoreKey::NewForAccount());
    case EEncryption::kPassword:
      if (password == nullptr) throw CCryptoError("No password for the clips' key");
      return std::make_shared<const CStoreKey>(CStoreKey::NewForPassword(password->View()));
    case EEncryption::kOff:
      break;
  }
  return nullptr;
}

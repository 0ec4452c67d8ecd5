#pragma once
// Before the first load: the keys of an encrypted data file and journal, taken from the
// Windows account or from the password the user types, and the key that later saves use.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/secret_text.h"
#include "store/encrypted/encryption_mode.h"
#include "store/encrypted/store_key.h"

// Asks the user for the store's password; `afterWrongPassword` when the one before did not
// open it. None: the user cancelled.
using PasswordQuestion = std::function<std::optional<CSecretText>(bool afterWrongPassword)>;

struct CStoreKeys {
  // Open the data file and the journal (null: plain, absent, or no key could be had).
  std::shared_ptr<const CStoreKey> file;
  std::shared_ptr<const CStoreKey> journal;
  // The clips could not be unlocked (the password was not given, another account's key):
  // nothing is loaded and nothing may be saved over the files.
  bool locked = false;
  // What the user is told about it, once.
  std::optional<std::u16string> notice;
  // The mode the files on disk are encrypted in (kOff: plain or absent).
  EEncryption found = EEncryption::kOff;
};

// Reads the headers of `dataFile` and `journal` and gets their keys: through the account
// for one protected by it, from `ask` for one protected by a password (asked again after a
// wrong one, until the user cancels). Never throws: what cannot be read is left to the
// load, which tells it.
CStoreKeys UnlockStore(const std::filesystem::path& dataFile, const std::filesystem::path& journal,
                       const PasswordQuestion& ask);

// The key that saves use when the program starts: the files' own while they are encrypted
// (they stay so until the user turns encryption off), otherwise a new one of `chosen` (the
// setting) for a plain store. A password mode without a known password, or an account that
// cannot protect a key, leaves the store plain and says why in `*notice`.
std::shared_ptr<const CStoreKey> StartingSaveKey(const CStoreKeys& keys, EEncryption chosen,
                                                 std::optional<std::u16string>* notice);

// The key for a mode the user chose now: none for kOff, a new account key, or a new key of
// `password`. Throws CCryptoError when the system refuses.
std::shared_ptr<const CStoreKey> NewSaveKey(EEncryption mode, const CSecretText* password);

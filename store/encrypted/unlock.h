#pragma once
// Getting a store's key back from an encrypted file's header.

#include <optional>
#include <string_view>

#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_key.h"

enum class EUnlock {
  kUnlocked,
  kWrongPassword,  // mode 2: the password's key fails the key check
  kOtherAccount,   // mode 1: protected by another Windows account (or on another system)
  kNoAccount,      // mode 1: no Windows account to ask (the native model without one)
  kDamaged,        // the header is damaged, or its protection gives a key that fails
};

// Sets `*key` when the result is kUnlocked. A mode 1 header ignores `password`; mode 2
// derives the key (kPasswordIterations or more: a noticeable fraction of a second). Throws
// CCryptoError when the system's cryptography fails.
EUnlock Unlock(const CEncryptedHeader& header, std::u16string_view password,
               std::optional<CStoreKey>* key);

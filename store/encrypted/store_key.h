#pragma once
// CStoreKey: the key that encrypts a store's data file and journal, and the protection of
// that key that each file's header holds (the account's protected blob, or a password's salt
// and iterations). The key bytes live only in the system's key object.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "foundation/crypto/aes_gcm.h"
#include "store/encrypted/encryption_mode.h"

struct CEncryptedHeader;

class CStoreKey {
 public:
  // A random key protected by the current Windows account. Throws CCryptoError when the
  // system refuses (no account to protect with).
  static CStoreKey NewForAccount();
  // A random salt, kPasswordIterations, and the key of `password`. Throws CCryptoError.
  static CStoreKey NewForPassword(std::u16string_view password);
  // A key whose bytes are `key` (kAesKeyBytes) and whose files hold `protection` (the
  // bytes of EncodeAccountProtection or EncodePasswordProtection).
  CStoreKey(EEncryption mode, std::span<const std::uint8_t> key,
            std::vector<std::uint8_t> protection);

  EEncryption Mode() const { return mode_; }
  const CAesGcmKey& Aes() const { return aes_; }
  // The bytes that a header holds after its mode, which tell how to get the key back.
  std::span<const std::uint8_t> Protection() const { return protection_; }
  // True when `header` is of this key: the same protection, and its key check passes.
  // One GCM operation: no key derivation.
  bool Opens(const CEncryptedHeader& header) const;

 private:
  EEncryption mode_;
  CAesGcmKey aes_;
  std::vector<std::uint8_t> protection_;
};

// The protection bytes of each mode: uint32 n and n bytes of the account's blob; or the
// password's salt (kPasswordSaltBytes) and uint32 iterations.
std::vector<std::uint8_t> EncodeAccountProtection(std::span<const std::uint8_t> blob);
std::vector<std::uint8_t> EncodePasswordProtection(std::span<const std::uint8_t> salt,
                                                   std::uint32_t iterations);

#include "store/encrypted/store_key.h"

#include <algorithm>
#include <utility>

#include "foundation/byte_writer.h"
#include "foundation/crypto/account_protection.h"
#include "foundation/crypto/password_key.h"
#include "foundation/crypto/random_bytes.h"
#include "foundation/crypto/secret_bytes.h"
#include "store/encrypted/encrypted_header.h"

std::vector<std::uint8_t> EncodeAccountProtection(std::span<const std::uint8_t> blob) {
  CByteWriter bytes;
  bytes.WriteUInt32(static_cast<std::uint32_t>(blob.size()));
  bytes.WriteBytes(blob.data(), blob.size());
  return std::move(bytes.Bytes());
}

std::vector<std::uint8_t> EncodePasswordProtection(std::span<const std::uint8_t> salt,
                                                   std::uint32_t iterations) {
  CByteWriter bytes;
  bytes.WriteBytes(salt.data(), salt.size());
  bytes.WriteUInt32(iterations);
  return std::move(bytes.Bytes());
}

CStoreKey::CStoreKey(EEncryption mode, std::span<const std::uint8_t> key,
                     std::vector<std::uint8_t> protection)
    : mode_(mode), aes_(key), protection_(std::move(protection)) {}

CStoreKey CStoreKey::NewForAccount() {
  CSecretBytes key(kAesKeyBytes);
  FillRandom(key.Bytes());
  const std::vector<std::uint8_t> blob = ProtectForAccount(key.Bytes());
  return CStoreKey(EEncryption::kAccount, key.Bytes(), EncodeAccountProtection(blob));
}

CStoreKey CStoreKey::NewForPassword(std::u16string_view password) {
  std::vector<std::uint8_t> salt(kPasswordSaltBytes);
  FillRandom(salt);
  const CSecretBytes key = KeyFromPassword(password, salt, kPasswordIterations);
  return CStoreKey(EEncryption::kPassword, key.Bytes(),
                   EncodePasswordProtection(salt, kPasswordIterations));
}

bool CStoreKey::Opens(const CEncryptedHeader& header) const {
  if (!header.damage.empty() || header.mode != mode_) return false;
  if (header.protection.size() != protection_.size() ||
      !std::equal(protection_.begin(), protection_.end(), header.protection.begin())) {
    return false;
  }
  return KeyCheckPasses(header, aes_);
}

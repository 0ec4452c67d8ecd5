#include "store/encrypted/unlock.h"

#include "foundation/crypto/account_protection.h"
#include "foundation/crypto/password_key.h"
#include "foundation/crypto/secret_bytes.h"

EUnlock Unlock(const CEncryptedHeader& header, std::u16string_view password,
               std::optional<CStoreKey>* key) {
  if (!header.damage.empty()) return EUnlock::kDamaged;
  if (header.mode == EEncryption::kPassword) {
    const CSecretBytes bytes = KeyFromPassword(password, header.salt, header.iterations);
    CStoreKey candidate(EEncryption::kPassword, bytes.Bytes(), header.protection);
    // The header's digest matched, so a failing check is the password's, not damage.
    if (!candidate.Opens(header)) return EUnlock::kWrongPassword;
    key->emplace(std::move(candidate));
    return EUnlock::kUnlocked;
  }
  if (!AccountProtectionAvailable()) return EUnlock::kNoAccount;
  const std::optional<CSecretBytes> bytes = UnprotectForAccount(header.accountBlob);
  if (!bytes) return EUnlock::kOtherAccount;
  if (bytes->Size() != kAesKeyBytes) return EUnlock::kDamaged;
  CStoreKey candidate(EEncryption::kAccount, bytes->Bytes(), header.protection);
  // The account gave a key back, so one that fails the check was damaged when written.
  if (!candidate.Opens(header)) return EUnlock::kDamaged;
  key->emplace(std::move(candidate));
  return EUnlock::kUnlocked;
}

#include <gtest/gtest.h>

#include <vector>

#include "foundation/crypto/account_protection.h"
#include "tests/foundation/crypto_test_bytes.h"

namespace {

// The system's own data protection: the account running the tests protects and gets back.
TEST(AccountProtectionWin32Test, TheSystemProtectsForTheAccountAndRefusesDamage) {
  ASSERT_TRUE(AccountProtectionAvailable());
  const auto secret = CryptoBytesFromHex("00112233445566778899aabbccddeeff00112233445566778899");
  auto blob = ProtectForAccount(secret);
  EXPECT_GT(blob.size(), secret.size());
  const auto back = UnprotectForAccount(blob);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(CryptoBytes(back->Bytes()), secret);
  blob[blob.size() - 20] ^= 0x01;
  EXPECT_FALSE(UnprotectForAccount(blob).has_value());
  EXPECT_FALSE(UnprotectForAccount(std::vector<std::uint8_t>(40, 0x5A)).has_value());
}

}  // namespace

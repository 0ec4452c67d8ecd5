#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "foundation/crypto/account_protection.h"
#include "foundation/crypto/aes_gcm.h"
#include "foundation/crypto/crypto_error.h"
#include "foundation/crypto/password_key.h"
#include "platform/sim/sim_control.h"
#include "tests/foundation/crypto_test_bytes.h"

namespace {

class AccountProtectionSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Reset();
    liveAtStart_ = sim::LiveCryptoObjects();
  }
  void TearDown() override {
    EXPECT_EQ(sim::LiveCryptoObjects(), liveAtStart_);
    EXPECT_TRUE(sim::HandleMisuses().empty());
    sim::Reset();
  }

  const std::vector<std::uint8_t> secret_ = CryptoBytesFromHex("00112233445566778899aabbccddeeff");
  std::size_t liveAtStart_ = 0;
};

TEST_F(AccountProtectionSimTest, WithoutAnAccountNothingIsProtected) {
  EXPECT_FALSE(AccountProtectionAvailable());
  EXPECT_THROW(ProtectForAccount(secret_), CCryptoError);
  EXPECT_THROW(UnprotectForAccount(std::vector<std::uint8_t>(64, 1)), CCryptoError);
}

TEST_F(AccountProtectionSimTest, TheAccountGetsItsSecretBack) {
  sim::SignInNewAccount();
  ASSERT_TRUE(AccountProtectionAvailable());
  const auto blob = ProtectForAccount(secret_);
  EXPECT_EQ(std::search(blob.begin(), blob.end(), secret_.begin(), secret_.end()), blob.end());
  const auto back = UnprotectForAccount(blob);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(CryptoBytes(back->Bytes()), secret_);
  EXPECT_TRUE(UnprotectForAccount(ProtectForAccount({})).has_value());
}

TEST_F(AccountProtectionSimTest, AnotherAccountAndDamageGetNothing) {
  const auto owner = sim::SignInNewAccount();
  auto blob = ProtectForAccount(secret_);
  sim::SignInNewAccount();
  EXPECT_FALSE(UnprotectForAccount(blob).has_value());
  sim::SwitchToAccount(owner);
  EXPECT_TRUE(UnprotectForAccount(blob).has_value());
  blob[blob.size() / 2] ^= 0x01;
  EXPECT_FALSE(UnprotectForAccount(blob).has_value());
  EXPECT_FALSE(UnprotectForAccount(std::vector<std::uint8_t>(3, 0)).has_value());
}

TEST_F(AccountProtectionSimTest, AModelAccountIsGoneAfterReset) {
  sim::SignInNewAccount();
  const auto blob = ProtectForAccount(secret_);
  sim::Reset();
  EXPECT_FALSE(AccountProtectionAvailable());
  sim::SignInNewAccount();  // the same number, a new secret
  EXPECT_FALSE(UnprotectForAccount(blob).has_value());
}

TEST_F(AccountProtectionSimTest, KeysAndProvidersAreGivenBack) {
  {
    CAesGcmKey key(std::vector<std::uint8_t>(kAesKeyBytes, 9));
    CAesGcmKey moved(std::move(key));
    EXPECT_EQ(sim::LiveCryptoObjects(), liveAtStart_ + 2);
    KeyFromPassword(u"pw", secret_, 2);
    EXPECT_EQ(sim::LiveCryptoObjects(), liveAtStart_ + 2);
  }
  EXPECT_THROW(CAesGcmKey(std::vector<std::uint8_t>(31, 0)), CCryptoError);
}

}  // namespace

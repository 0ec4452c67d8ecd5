// A store key protected by the Windows account, with the model's accounts: the account
// that wrote the file opens it, another account or none is told.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "foundation/crypto/account_protection.h"
#include "foundation/crypto/crypto_error.h"
#include "platform/sim/sim_control.h"
#include "store/encrypted/unlock.h"
#include "tests/support/store_fixture.h"

namespace {

class EncryptedAccountTest : public StoreTest {
 protected:
  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }
};

TEST_F(EncryptedAccountTest, TheAccountThatWroteTheFileOpensItAndNoOtherDoes) {
  const std::uint32_t writer = sim::SignInNewAccount();
  CopyTexts({u"kept for this account"});
  const CStoreKey written = CStoreKey::NewForAccount();
  EXPECT_EQ(written.Mode(), EEncryption::kAccount);
  ASSERT_TRUE(store.SaveToFile(DataPath(), &written));
  const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(DataPath());
  ASSERT_TRUE(header);
  EXPECT_EQ(header->mode, EEncryption::kAccount);

  std::optional<CStoreKey> key;
  ASSERT_EQ(Unlock(*header, u"a password is not asked", &key), EUnlock::kUnlocked);
  CDataBase loaded;
  ASSERT_TRUE(loaded.LoadFromFile(DataPath(), &*key));
  EXPECT_EQ(loaded.LastLoad().encryption, EEncryption::kAccount);
  EXPECT_EQ(loaded.SaveToMemory(), store.SaveToMemory());

  sim::SignInNewAccount();
  key.reset();
  EXPECT_EQ(Unlock(*header, u"", &key), EUnlock::kOtherAccount);
  EXPECT_FALSE(key);
  sim::SwitchToAccount(writer);
  EXPECT_EQ(Unlock(*header, u"", &key), EUnlock::kUnlocked);
}

TEST_F(EncryptedAccountTest, WithoutAnAccountThereIsNoneToAsk) {
  ASSERT_FALSE(AccountProtectionAvailable());
  const std::array<std::uint8_t, kAesKeyBytes> bytes{};
  const std::vector<std::uint8_t> blob(40, 0x33);
  const CStoreKey written(EEncryption::kAccount, bytes, EncodeAccountProtection(blob));
  ASSERT_TRUE(store.SaveToFile(DataPath(), &written));
  const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(DataPath());
  ASSERT_TRUE(header);
  EXPECT_EQ(header->accountBlob, blob);
  std::optional<CStoreKey> key;
  EXPECT_EQ(Unlock(*header, u"", &key), EUnlock::kNoAccount);
  EXPECT_THROW(CStoreKey::NewForAccount(), CCryptoError);
}

}  // namespace

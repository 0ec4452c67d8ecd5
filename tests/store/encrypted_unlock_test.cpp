// Getting a store's key back: a password's key opens the data file and the journal of the
// same store, a wrong password is told apart from a damaged header.

#include <gtest/gtest.h>

#include "store/encrypted/encrypted_journal.h"
#include "store/encrypted/unlock.h"
#include "tests/store/encrypted_test_keys.h"
#include "tests/support/store_fixture.h"

namespace {

class EncryptedUnlockTest : public StoreTest {
 protected:
  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }
};

TEST_F(EncryptedUnlockTest, ThePasswordOpensTheDataFileAndItsJournalAndAWrongOneIsTold) {
  CopyTexts({u"kept under a password"});
  const CStoreKey written = CStoreKey::NewForPassword(u"Pass w\u00F6rd");
  EXPECT_EQ(written.Mode(), EEncryption::kPassword);
  ASSERT_TRUE(store.SaveToFile(DataPath(), &written));
  const CEncryptedJournalSealer journal(written);

  const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(DataPath());
  ASSERT_TRUE(header);
  EXPECT_TRUE(header->damage.empty()) << header->damage;
  EXPECT_EQ(header->mode, EEncryption::kPassword);
  EXPECT_EQ(header->iterations, kPasswordIterations);
  EXPECT_EQ(header->chunkBytes, kDataChunkBytes);

  std::optional<CStoreKey> key;
  EXPECT_EQ(Unlock(*header, u"Pass word", &key), EUnlock::kWrongPassword);
  EXPECT_FALSE(key);
  ASSERT_EQ(Unlock(*header, u"Pass w\u00F6rd", &key), EUnlock::kUnlocked);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->Mode(), EEncryption::kPassword);

  CDataBase loaded;
  ASSERT_TRUE(loaded.LoadFromFile(DataPath(), &*key));
  EXPECT_EQ(loaded.SaveToMemory(), store.SaveToMemory());
  // The journal of the same key opens with the key unlocked once, without a derivation;
  // a new key for the same password is another key.
  const CStoreKey journalHeaderKey = FixedPasswordKey();
  WriteBytes(folder.Path() / "journal", journal.Header());
  const std::optional<CEncryptedHeader> journalHeader = ReadEncryptedHeader(folder.Path() / "journal");
  ASSERT_TRUE(journalHeader);
  EXPECT_EQ(journalHeader->file, EEncryptedFile::kJournal);
  EXPECT_TRUE(key->Opens(*journalHeader));
  EXPECT_FALSE(journalHeaderKey.Opens(*journalHeader));
}

TEST_F(EncryptedUnlockTest, ADamagedHeaderIsToldAsDamageNotAsAWrongPassword) {
  const CStoreKey written = FixedPasswordKey();
  ASSERT_TRUE(store.SaveToFile(DataPath(), &written));
  std::vector<std::uint8_t> bytes = ReadBytes(DataPath());
  bytes[30] ^= 0x20;  // in the salt
  WriteBytes(DataPath(), bytes);
  const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(DataPath());
  ASSERT_TRUE(header);
  EXPECT_EQ(header->damage, "header digest does not match");
  std::optional<CStoreKey> key;
  EXPECT_EQ(Unlock(*header, u"any", &key), EUnlock::kDamaged);
  EXPECT_FALSE(key);
}

}  // namespace

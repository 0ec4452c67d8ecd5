// The encrypted journal: replayed through its source as the plain one is, a torn tail
// costing only the batch it was writing, and damage or rearranged segments told.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "foundation/content_digest.h"
#include "store/data_journal.h"
#include "store/encrypted/encrypted_journal.h"
#include "store/encrypted/store_locked_error.h"
#include "store/png_encoder.h"
#include "tests/store/encrypted_test_keys.h"
#include "tests/support/store_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint64_t Digest(const Bytes& bytes) {
  CContentDigest digest;
  digest.Add(bytes);
  return digest.Value();
}

class EncryptedJournalTest : public StoreTest {
 protected:
  EncryptedJournalTest() {
    SetCapacity(100);
    CopyTexts({u"one", u"two"});
    saved_ = store.SaveToMemory();
    diff_.Reset(store);
    Bytes start = JournalHeader();
    const Bytes base = JournalBaseFrame(Digest(saved_));
    start.insert(start.end(), base.begin(), base.end());
    journal_ = sealer_.Header();
    baseEnd_ = Seal(start);
  }

  std::filesystem::path JournalPath() const { return folder.Path() / "data.dat.journal"; }

  // Seals one batch; the journal's size after it.
  std::size_t Seal(const Bytes& plain) {
    const Bytes sealed = sealer_.Seal(plain);
    journal_.insert(journal_.end(), sealed.begin(), sealed.end());
    return journal_.size();
  }
  // Journals what changed since the last call, and the store it makes.
  std::size_t JournalChanges() {
    const std::size_t end = Seal(diff_.Changes(store));
    states_.push_back(store.SaveToMemory());
    return end;
  }
  CJournalReplay Replay(const Bytes& journal, CDataBase& into, const CStoreKey* key) {
    WriteBytes(JournalPath(), journal);
    into.LoadFromMemory(saved_);
    std::unique_ptr<CJournalSource> source = OpenJournalSource(JournalPath(), key);
    return ReplayJournal(*source, Digest(saved_), into);
  }

  CStoreKey key_ = FixedPasswordKey();
  CEncryptedJournalSealer sealer_{key_};
  Bytes saved_;
  Bytes journal_;
  CJournalDiff diff_;
  std::vector<Bytes> states_;  // the store after each batch
  std::size_t baseEnd_ = 0;    // where the first segment, header and base, ends
};

TEST_F(EncryptedJournalTest, ReplayThroughTheSourceGivesTheStoreAndAWholeJournalIsNotTorn) {
  CopyTexts({u"three"});
  JournalChanges();
  // A batch larger than a segment: a picture of about 1.4 MiB.
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(600, 600, 32)));
  Head().hotKey = 0x4031;
  JournalChanges();

  CDataBase replayed;
  const CJournalReplay replay = Replay(journal_, replayed, &key_);
  EXPECT_TRUE(replay.based);
  EXPECT_FALSE(replay.torn);
  EXPECT_TRUE(replay.damage.empty()) << replay.damage;
  EXPECT_EQ(replay.applied, 2);  // an insert each
  EXPECT_EQ(SavedWithPngImages(replayed), SavedWithPngImages(store));
  // The applied frames, read again where the replay says they are, as a new journal does.
  std::unique_ptr<CJournalSource> source = OpenJournalSource(JournalPath(), &key_);
  EXPECT_EQ(source->Encryption(), EEncryption::kPassword);
  Bytes frames(replay.framesEnd - replay.framesBegin);
  EXPECT_EQ(source->ReadAt(replay.framesBegin, frames.data(), frames.size()), frames.size());
}

TEST_F(EncryptedJournalTest, ATornTailCostsOnlyTheBatchItWasWriting) {
  CopyTexts({u"three"});
  const std::size_t whole = JournalChanges();
  CopyTexts({u"four"});
  const std::size_t end = JournalChanges();
  for (std::size_t size = whole + 1; size < end; ++size) {
    CDataBase replayed;
    const CJournalReplay replay =
        Replay(Bytes(journal_.begin(), journal_.begin() + static_cast<std::ptrdiff_t>(size)),
               replayed, &key_);
    EXPECT_TRUE(replay.torn) << size;
    EXPECT_TRUE(replay.damage.empty()) << size << ": " << replay.damage;
    ASSERT_EQ(replayed.SaveToMemory(), states_[0]) << size;
  }
}

TEST_F(EncryptedJournalTest, EveryFlippedByteIsToldAndLeavesTheStoreOfTheBatchesBefore) {
  CopyTexts({u"three"});
  JournalChanges();
  CopyTexts({u"four"});
  JournalChanges();
  states_.insert(states_.begin(), saved_);
  for (std::size_t at = 0; at < journal_.size(); ++at) {
    Bytes bytes = journal_;
    bytes[at] ^= 0x04;
    CDataBase replayed;
    const CJournalReplay replay = Replay(bytes, replayed, &key_);
    EXPECT_TRUE(replay.torn || !replay.damage.empty()) << at;
    const Bytes result = replayed.SaveToMemory();
    ASSERT_NE(std::find(states_.begin(), states_.end() - 1, result), states_.end() - 1) << at;
  }
}

TEST_F(EncryptedJournalTest, SegmentsMovedOrTakenFromAnotherJournalAreDamage) {
  CopyTexts({u"three"});
  JournalChanges();
  const auto at = [this](std::size_t offset) {
    return journal_.begin() + static_cast<std::ptrdiff_t>(offset);
  };
  const std::size_t first = sealer_.Header().size();
  // The first segment (the journal's header and base) moved after the second.
  Bytes moved(journal_.begin(), at(first));
  moved.insert(moved.end(), at(baseEnd_), journal_.end());
  moved.insert(moved.end(), at(first), at(baseEnd_));
  CDataBase replayed;
  CJournalReplay replay = Replay(moved, replayed, &key_);
  EXPECT_EQ(replay.damage,
            "segment 0 at offset " + std::to_string(first) + " failed authentication");
  EXPECT_EQ(replayed.SaveToMemory(), saved_);

  // The same segments after the header of another journal of the same key.
  const CEncryptedJournalSealer other(key_);
  Bytes foreign = other.Header();
  foreign.insert(foreign.end(), at(first), journal_.end());
  replay = Replay(foreign, replayed, &key_);
  EXPECT_NE(replay.damage.find("segment 0"), std::string::npos) << replay.damage;
  EXPECT_EQ(replayed.SaveToMemory(), saved_);
}

TEST_F(EncryptedJournalTest, AnEncryptedJournalIsLockedWithoutItsKeyAndAPlainOneReadsWithAny) {
  WriteBytes(JournalPath(), journal_);
  EXPECT_THROW(OpenJournalSource(JournalPath(), nullptr), CStoreLockedError);
  const CStoreKey other = FixedPasswordKey(3);
  EXPECT_THROW(OpenJournalSource(JournalPath(), &other), CStoreLockedError);

  Bytes plain = JournalHeader();
  const Bytes base = JournalBaseFrame(Digest(saved_));
  plain.insert(plain.end(), base.begin(), base.end());
  CopyTexts({u"three"});
  const Bytes changes = diff_.Changes(store);
  plain.insert(plain.end(), changes.begin(), changes.end());
  CDataBase replayed;
  const CJournalReplay replay = Replay(plain, replayed, &key_);
  EXPECT_FALSE(replay.torn);
  EXPECT_EQ(replay.applied, 1);
  EXPECT_EQ(replayed.SaveToMemory(), store.SaveToMemory());
}

}  // namespace

// The automatic save and the journal with a store key: a protection chosen while the program
// runs rewrites both files at once, and from then on no file of the data folder holds a
// clip's text; what the journal holds comes back with the key at the next start.

#include <gtest/gtest.h>

#include <memory>

#include "foundation/file_error.h"
#include "store/data_journal.h"
#include "store/encrypted/journal_source.h"
#include "store/encrypted/store_key.h"
#include "tests/app/autosave/erase_fixture.h"
#include "tests/store/encrypted_test_keys.h"
#include "tests/support/temp_folder.h"

namespace {

using Files = std::vector<std::string>;

class EncryptedSaveTest : public EraseTest {
 protected:
  // What the next start finds with `opener`, as after a kill: a copy of the data file and
  // the journal as they are now (the running journal stays open for writing, which Windows
  // lets no reader share), the journal's changes applied to the file.
  std::vector<std::u16string> NextStartHistoryWith(const std::shared_ptr<const CStoreKey>& opener) {
    const std::filesystem::path data = nextStart.Path() / "data.dat";
    PutFile(data, FileBytes(DataPath()));
    PutFile(nextStart.Path() / "data.dat.journal", FileBytes(saver.JournalPath()));
    CDataBase loaded;
    loaded.LoadFromFile(data, opener.get());
    CAutoSaver next(data);
    next.RecoverJournal(loaded, loaded.LastLoad().fileDigest, opener);
    EXPECT_FALSE(next.JournalDamage());
    return ClipTexts(loaded, kHistoryCategoryId);
  }

  void Copy(const char16_t* text, std::uint32_t now) {
    CopyTexts({text});
    saver.MarkChanged();
    Settle(now);
  }

  std::shared_ptr<const CStoreKey> key = std::make_shared<const CStoreKey>(FixedPasswordKey());
  CTempFolder nextStart;
};

TEST_F(EncryptedSaveTest, TurnedOnBothFilesAreWrittenAnewAndNoFileHoldsAnyClipAfter) {
  Copy(kJournalSecret, 100);
  ASSERT_EQ(FilesHolding(kJournalSecret), Files{"data.dat.journal"});

  saver.UseKey(key);
  saver.EraseSoon();  // as the window asks it when the user turns encryption on
  Settle(200);
  EXPECT_FALSE(saver.LastError().has_value());
  for (const char16_t* text : {kFileSecret, kJournalSecret, u"kept in the file"}) {
    EXPECT_EQ(FilesHolding(text), Files{}) << Utf8FromUtf16(text);
  }
  // A copy after it reaches the journal, sealed, long before the next save.
  Copy(kPassingSecret, 300);
  EXPECT_EQ(FilesHolding(kPassingSecret), Files{});
  EXPECT_TRUE(FileBytes(saver.JournalPath()).starts_with("QuilleryJrnl"));

  // A kill now: the next start has every clip, with the key, and none without it.
  const std::vector<std::u16string> history = History();
  saver.Stop();
  EXPECT_EQ(NextStartHistoryWith(key), history);
  CDataBase locked;
  EXPECT_THROW(locked.LoadFromFile(DataPath()), CFileError);
}

TEST_F(EncryptedSaveTest, TurnedOffAgainTheFilesArePlainAsBefore) {
  saver.UseKey(key);
  saver.EraseSoon();
  Settle(100);
  ASSERT_EQ(FilesHolding(u"kept in the file"), Files{});
  saver.UseKey(nullptr);
  saver.EraseSoon();
  Settle(200);
  Copy(kPassingSecret, 300);
  EXPECT_EQ(FilesHolding(u"kept in the file"), Files{"data.dat"});
  EXPECT_EQ(FilesHolding(kPassingSecret), Files{"data.dat.journal"});
  EXPECT_EQ(NextStartHistoryWith(nullptr), History());
}

TEST_F(EncryptedSaveTest, AJournalThatTheKeyDoesNotOpenIsKeptAsideAndTold) {
  saver.UseKey(key);
  saver.EraseSoon();
  Settle(100);
  Copy(kPassingSecret, 200);
  saver.Stop();
  CDataBase loaded;
  ASSERT_TRUE(loaded.LoadFromFile(DataPath(), key.get()));
  CAutoSaver next(DataPath());
  EXPECT_EQ(next.RecoverJournal(loaded, loaded.LastLoad().fileDigest,
                                std::make_shared<const CStoreKey>(FixedPasswordKey(9))),
            0);
  ASSERT_TRUE(next.JournalDamage());
  ASSERT_FALSE(next.JournalDamage()->keptCopy.empty());
  // The copy is the sealed journal as it was: it still opens with the right key.
  CDataBase again;
  ASSERT_TRUE(again.LoadFromFile(DataPath(), key.get()));
  std::filesystem::copy_file(next.JournalDamage()->keptCopy, folder.Path() / "copy.journal");
  const auto source = OpenJournalSource(folder.Path() / "copy.journal", key.get());
  EXPECT_GT(ReplayJournal(*source, again.LastLoad().fileDigest, again).applied, 0);
  EXPECT_EQ(FilesHolding(kPassingSecret), Files{});
}

}  // namespace

// Clips that the user deletes leave every file of the data folder at once; clips trimmed
// by the capacity leave it with the next automatic save.

#include <gtest/gtest.h>

#include "tests/app/autosave/erase_fixture.h"

namespace {

using Files = std::vector<std::string>;

TEST_F(EraseTest, DeletedClipsLeaveTheDataFileAndTheJournalWithoutWaitingForTheQuietTime) {
  CopyTexts({kJournalSecret});
  saver.MarkChanged();
  Settle(100);
  CopyTexts({kPassingSecret});
  saver.MarkChanged();
  Settle(200);
  ASSERT_EQ(FilesHolding(kJournalSecret), Files{"data.dat.journal"});
  ASSERT_EQ(FilesHolding(kFileSecret), Files{"data.dat"});

  DeleteAndErase({kFileSecret, kJournalSecret, kPassingSecret});
  Settle(300);
  EXPECT_FALSE(saver.LastError().has_value());
  EXPECT_EQ(FilesHolding(kFileSecret), Files{});
  EXPECT_EQ(FilesHolding(kJournalSecret), Files{});
  EXPECT_EQ(FilesHolding(kPassingSecret), Files{});
  EXPECT_EQ(FilesHolding(u"kept in the file"), Files{"data.dat"});
  EXPECT_EQ(NextStartHistory(), History());
}

TEST_F(EraseTest, ASaveUnderWayThatHoldsTheDeletedClipStartsOver) {
  CopyTexts({kJournalSecret});
  saver.MarkChanged();
  saver.Poll(store, 0);
  saver.Poll(store, 10'000);
  saver.Poll(store, 10'000);  // produced whole, waiting for the journal
  ASSERT_TRUE(saver.Saving());
  DeleteAndErase({kJournalSecret});
  Settle(10'010);
  EXPECT_EQ(FilesHolding(kJournalSecret), Files{});
  EXPECT_EQ(NextStartHistory(), History());
}

TEST_F(EraseTest, AClipTrimmedByTheCapacityLeavesTheDiskWithTheNextAutomaticSave) {
  SetCapacity(2);
  CopyTexts({u"newer", kJournalSecret, u"newest"});
  saver.MarkChanged();
  Settle(100);
  ASSERT_EQ(History(), (std::vector<std::u16string>{u"newest", kJournalSecret}));
  CopyTexts({u"latest"});  // trims the secret
  saver.MarkChanged();
  Settle(200);
  ASSERT_EQ(FilesHolding(kJournalSecret), Files{"data.dat.journal"});
  Settle(10'200);
  EXPECT_EQ(FilesHolding(kJournalSecret), Files{});
  EXPECT_EQ(FilesHolding(kFileSecret), Files{});
  EXPECT_EQ(NextStartHistory(), History());
}

}  // namespace

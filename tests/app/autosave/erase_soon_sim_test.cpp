// Deleted clips leave the journal even when the data file cannot be replaced.

#include <gtest/gtest.h>

#include "platform/sim/sim_control.h"
#include "tests/app/autosave/erase_fixture.h"

namespace {

using Files = std::vector<std::string>;

TEST_F(EraseTest, WhenTheDataFileCannotBeReplacedTheJournalIsRewrittenWithoutTheDeletedClips) {
  CopyTexts({kJournalSecret, u"kept in the journal"});
  saver.MarkChanged();
  Settle(100);
  CopyTexts({kPassingSecret});
  saver.MarkChanged();
  Settle(200);
  ASSERT_EQ(FilesHolding(kPassingSecret), Files{"data.dat.journal"});
  const std::string fileBefore = FileBytes(DataPath());

  sim::FailNextFileCall("MoveFileExW");  // the save's new file cannot take the old one's place
  DeleteAndErase({kFileSecret, kJournalSecret, kPassingSecret});
  Settle(300);
  ASSERT_TRUE(saver.LastError().has_value());
  EXPECT_EQ(FileBytes(DataPath()), fileBefore);
  EXPECT_EQ(FilesHolding(kJournalSecret), Files{});
  EXPECT_EQ(FilesHolding(kPassingSecret), Files{});
  EXPECT_EQ(FilesHolding(kFileSecret), Files{"data.dat"});  // until a save gets through
  EXPECT_EQ(FilesHolding(u"kept in the journal"), Files{"data.dat.journal"});

  // Changes after the rewrite follow it in the journal.
  CopyTexts({u"after the rewrite"});
  saver.MarkChanged();
  Settle(400);
  EXPECT_EQ(NextStartHistory(), History());
}

}  // namespace

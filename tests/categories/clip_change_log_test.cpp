// The log of clips that came and went between two rebuilds of the tree mirror.

#include <gtest/gtest.h>

#include "categories/clip_change_log.h"
#include "store/text_item.h"

namespace {

using EPlace = CClipChange::EPlace;

class ClipChangeLogTest : public ::testing::Test {
 protected:
  ClipChangeLogTest() {
    log.FullRebuildStarted();
    clip.id = 7;
    clip.categoryId = kNotesCategoryId;
  }

  CClipChangeLog log;
  CTextItem clip;
};

TEST(ClipChangeLogStartTest, ANewLogAsksForTheFullReconcileAndNotesNothingUntilIt) {
  CClipChangeLog log;
  CTextItem clip;
  EXPECT_TRUE(log.FullRebuildNeeded());
  log.NoteInserted(clip, EPlace::kHead);
  EXPECT_TRUE(log.Changes().empty());
  log.FullRebuildStarted();
  EXPECT_FALSE(log.FullRebuildNeeded());
}

TEST_F(ClipChangeLogTest, ChangesKeepTheirOrderAndWhatTheClipWasThen) {
  log.NoteInserted(clip, EPlace::kTail);
  clip.categoryId = kHistoryCategoryId;  // a later move is a change of its own
  log.NoteRemoved(clip);
  ASSERT_EQ(log.Changes().size(), 2u);
  EXPECT_TRUE(log.Changes()[0].inserted);
  EXPECT_EQ(log.Changes()[0].place, EPlace::kTail);
  EXPECT_EQ(log.Changes()[0].categoryId, kNotesCategoryId);
  EXPECT_FALSE(log.Changes()[1].inserted);
  EXPECT_EQ(log.Changes()[1].categoryId, kHistoryCategoryId);
  EXPECT_EQ(log.Changes()[1].id, 7);
}

TEST_F(ClipChangeLogTest, AClipThatLeavesAgainIsLetGoOfByItsPendingInsertion) {
  CTextItem other;
  other.id = 8;
  log.NoteInserted(clip, EPlace::kHead);
  log.NoteInserted(other, EPlace::kHead);
  log.NoteRemoved(clip);
  EXPECT_EQ(log.Changes()[0].clip, nullptr);
  EXPECT_EQ(log.Changes()[1].clip, &other);
  EXPECT_EQ(log.Changes()[2].clip, nullptr);
}

TEST_F(ClipChangeLogTest, TooManyChangesAskForTheFullReconcileInstead) {
  int noted = 0;
  while (!log.FullRebuildNeeded() && noted < 1000) {
    log.NoteInserted(clip, EPlace::kHead);
    ++noted;
  }
  EXPECT_EQ(noted, 65);  // the 65th finds the log full
  EXPECT_TRUE(log.Changes().empty());
  log.FullRebuildStarted();
  log.NoteRemoved(clip);
  EXPECT_EQ(log.Changes().size(), 1u);
}

TEST_F(ClipChangeLogTest, RequiringTheFullReconcileDropsThePendingChanges) {
  log.NoteInserted(clip, EPlace::kHead);
  log.RequireFullRebuild();
  EXPECT_TRUE(log.FullRebuildNeeded());
  EXPECT_TRUE(log.Changes().empty());
  log.NoteRemoved(clip);
  EXPECT_TRUE(log.Changes().empty());
}

}  // namespace

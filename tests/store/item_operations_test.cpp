// Deleting and moving clips.

#include "tests/support/store_fixture.h"

namespace {

using ItemOperationsTest = StoreTest;

TEST_F(ItemOperationsTest, DeleteRemovesOnlyThatClip) {
  CopyTexts({u"a", u"b", u"c"});
  const int id = store.Items().front()->id;
  EXPECT_TRUE(store.DeleteItem(id));
  EXPECT_FALSE(store.DeleteItem(id));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"b", u"a"}));
}

TEST_F(ItemOperationsTest, DeletingACategorysClipsLeavesTheOthers) {
  CopyTexts({u"n1", u"h1", u"n2", u"h2"});
  store.MoveItem(store.Items().front()->id, kNotesCategoryId);  // h2 to the notes
  store.DeleteItemsOfCategory(kHistoryCategoryId);
  EXPECT_TRUE(History().empty());
  EXPECT_EQ(TextsOf(kNotesCategoryId), std::vector<std::u16string>{u"h2"});
}

TEST_F(ItemOperationsTest, MovedClipGetsANewIdAndGoesToTheTail) {
  CopyTexts({u"a", u"b"});
  CBaseItem* clip = store.Items().front().get();  // b
  const int oldId = clip->id;
  const double created = clip->created;
  const int expectedId = store.NextItemId();
  ASSERT_TRUE(store.MoveItem(oldId, kNotesCategoryId));
  EXPECT_EQ(store.Items().back().get(), clip);
  EXPECT_EQ(clip->id, expectedId);
  EXPECT_EQ(clip->categoryId, kNotesCategoryId);
  EXPECT_EQ(clip->created, created);
  EXPECT_EQ(store.FindItem(oldId), nullptr);
}

TEST_F(ItemOperationsTest, MoveIntoTheSameCategoryIsRefused) {
  CopyTexts({u"a"});
  const int id = Head().id;
  const int nextId = store.NextItemId();
  EXPECT_FALSE(store.MoveItem(id, kHistoryCategoryId));
  EXPECT_FALSE(store.MoveItem(999, kNotesCategoryId));
  EXPECT_EQ(Head().id, id);
  EXPECT_EQ(store.NextItemId(), nextId);
}

TEST_F(ItemOperationsTest, ClipMovedIntoTheHistoryIsTrimmedFirstButOnlyAtTheNextCapture) {
  SetCapacity(2);
  CopyTexts({u"note"});
  store.MoveItem(Head().id, kNotesCategoryId);
  CopyTexts({u"a", u"b"});
  ASSERT_TRUE(store.MoveItem(store.Items().back()->id, kHistoryCategoryId));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"b", u"a", u"note"}));
  CopyTexts({u"c"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"c", u"b", u"a"}));
}

TEST_F(ItemOperationsTest, ClipMovedOutOfTheHistoryNoLongerCounts) {
  SetCapacity(2);
  CopyTexts({u"a", u"b"});
  store.MoveItem(store.Items().back()->id, 1001);
  CopyTexts({u"c"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"c", u"b"}));
  EXPECT_EQ(TextsOf(1001), std::vector<std::u16string>{u"a"});
}

}  // namespace

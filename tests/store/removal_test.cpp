// Deleting clips with one step of undo, and forgetting old history clips.

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/store_fixture.h"

namespace {

class RemovalTest : public StoreTest {
 protected:
  RemovalTest() {
    CopyTexts({u"a", u"b", u"c", u"d", u"e"});  // history, head first: e d c b a
    CopyTexts({u"note"});
    EXPECT_TRUE(store.MoveItem(Head().id, kNotesCategoryId));
  }

  int IdOf(const std::u16string& text) {
    for (const auto& clip : store.Items()) {
      if (const auto* item = dynamic_cast<const CTextItem*>(clip.get());
          item && item->text == text) {
        return clip->id;
      }
    }
    return 0;
  }

  int AddCategory(const std::u16string& name, int parentId = 0) {
    CCategory category;
    category.name = name;
    category.parentId = parentId;
    return store.AddCategory(category);
  }

  std::vector<std::u16string> AllTexts() const {
    std::vector<std::u16string> texts;
    for (const auto& clip : store.Items()) texts.push_back(clip->SearchableText()->Utf16());
    return texts;
  }
};

TEST_F(RemovalTest, DeletingSeveralClipsAndUndoingPutsThemBackAtTheirPlaces) {
  store.FindItem(IdOf(u"d"))->hotKey = 0x0431;
  store.FindItem(IdOf(u"b"))->hotKey = 0x0432;
  const std::vector<std::u16string> before = AllTexts();
  const int highestId = store.NextItemId() - 1;
  const std::vector<int> ids{IdOf(u"b"), IdOf(u"d"), IdOf(u"note"), 424242};
  EXPECT_EQ(store.DeleteItems(ids), 3);
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"e", u"c", u"a"}));
  EXPECT_TRUE(TextsOf(kNotesCategoryId).empty());
  ASSERT_TRUE(store.CanUndoDeletion());

  const std::vector<int> restored = store.UndoDeletion();
  EXPECT_FALSE(store.CanUndoDeletion());
  EXPECT_EQ(AllTexts(), before);
  ASSERT_EQ(restored.size(), 3u);
  for (int id : restored) EXPECT_GT(id, highestId);
  EXPECT_EQ(restored[0], IdOf(u"d"));
  EXPECT_EQ(store.FindItem(IdOf(u"d"))->hotKey, 0x0431);
  EXPECT_EQ(store.FindItem(IdOf(u"b"))->hotKey, 0x0432);
  EXPECT_EQ(store.FindItem(IdOf(u"note"))->categoryId, kNotesCategoryId);
  EXPECT_TRUE(store.UndoDeletion().empty());  // one step only
}

TEST_F(RemovalTest, ClearingACategoryIsOneStepToUndoAndOnlyTheLastStepIsKept) {
  EXPECT_EQ(store.DeleteItems(std::vector<int>{IdOf(u"note")}), 1);
  EXPECT_EQ(store.ClearCategory(kHistoryCategoryId), 5);
  EXPECT_TRUE(History().empty());
  store.UndoDeletion();
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"e", u"d", u"c", u"b", u"a"}));
  EXPECT_TRUE(TextsOf(kNotesCategoryId).empty());  // the step before was let go

  store.ClearCategory(kHistoryCategoryId);
  store.DropUndo();
  EXPECT_FALSE(store.CanUndoDeletion());
  EXPECT_TRUE(store.UndoDeletion().empty());
  EXPECT_TRUE(History().empty());
}

TEST_F(RemovalTest, ACategoryGoesWithItsSubCategoriesAndClipsAndComesBackWithTheirIds) {
  const int work = AddCategory(u"Work");
  const int mail = AddCategory(u"Mail", work);
  const int home = AddCategory(u"Home");
  ASSERT_TRUE(store.MoveItem(IdOf(u"a"), work));
  ASSERT_TRUE(store.MoveItem(IdOf(u"b"), mail));
  ASSERT_TRUE(store.MoveItem(IdOf(u"c"), home));
  const std::vector<std::u16string> before = AllTexts();

  EXPECT_EQ(store.DeleteCategoryWithClips(work), 2);
  EXPECT_EQ(store.FindCategory(work), nullptr);
  EXPECT_EQ(store.FindCategory(mail), nullptr);
  EXPECT_NE(store.FindCategory(home), nullptr);
  EXPECT_EQ(AllTexts(), (std::vector<std::u16string>{u"e", u"d", u"note", u"c"}));
  EXPECT_EQ(store.DeleteCategoryWithClips(4242), -1);
  EXPECT_TRUE(store.CanUndoDeletion());  // a failed deletion keeps the step

  store.UndoDeletion();
  EXPECT_EQ(AllTexts(), before);
  ASSERT_NE(store.FindCategory(mail), nullptr);
  EXPECT_EQ(store.FindCategory(mail)->parentId, work);
  EXPECT_EQ(TextsOf(work), std::vector<std::u16string>{u"a"});
  EXPECT_EQ(TextsOf(mail), std::vector<std::u16string>{u"b"});
  EXPECT_EQ(AddCategory(u"Next"), home + 1);  // ids are still never reused
}

TEST_F(RemovalTest, UndoGivesAClipWhoseCategoryIsGoneToTheNotesAndKeepsATakenHotKeyWhereItIs) {
  const int work = AddCategory(u"Work");
  ASSERT_TRUE(store.MoveItem(IdOf(u"a"), work));
  store.FindItem(IdOf(u"b"))->hotKey = 0x0433;
  store.DeleteItems(std::vector<int>{IdOf(u"a"), IdOf(u"b")});
  ASSERT_TRUE(store.DeleteCategory(work));
  store.FindItem(IdOf(u"c"))->hotKey = 0x0433;

  store.UndoDeletion();
  EXPECT_EQ(store.FindItem(IdOf(u"a"))->categoryId, kNotesCategoryId);
  EXPECT_EQ(store.FindItem(IdOf(u"b"))->hotKey, 0);
  EXPECT_EQ(store.FindItem(IdOf(u"c"))->hotKey, 0x0433);
}

TEST_F(RemovalTest, UndoAfterTheListShrankPutsTheClipsAtItsTail) {
  store.DeleteItems(std::vector<int>{IdOf(u"a")});
  for (int id : {IdOf(u"b"), IdOf(u"c"), IdOf(u"note")}) ASSERT_TRUE(store.DeleteItem(id));
  store.UndoDeletion();
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"e", u"d", u"a"}));
}

TEST_F(RemovalTest, ForgettingTakesOnlyHistoryClipsOlderThanTheHours) {
  const double now = 46'000.5;
  const double hour = 1.0 / 24;
  store.FindItem(IdOf(u"e"))->created = now;
  store.FindItem(IdOf(u"d"))->created = now - 2 * hour;  // exactly as old: stays
  store.FindItem(IdOf(u"c"))->created = now - 2 * hour - 1.0 / 86'400;
  store.FindItem(IdOf(u"b"))->created = now - 30;
  store.FindItem(IdOf(u"a"))->created = now - 30;
  store.FindItem(IdOf(u"note"))->created = now - 30;
  const int work = AddCategory(u"Work");
  ASSERT_TRUE(store.MoveItem(IdOf(u"a"), work));
  store.DeleteItems(std::vector<int>{IdOf(u"e")});

  EXPECT_EQ(store.ForgetHistoryOlderThan(now, 0), 0);
  EXPECT_EQ(store.ForgetHistoryOlderThan(now, 2), 2);
  EXPECT_EQ(History(), std::vector<std::u16string>{u"d"});
  EXPECT_EQ(TextsOf(kNotesCategoryId), std::vector<std::u16string>{u"note"});
  EXPECT_EQ(TextsOf(work), std::vector<std::u16string>{u"a"});
  EXPECT_EQ(store.ForgetHistoryOlderThan(now, 2), 0);
  store.UndoDeletion();  // the user's step is not the forgetting's
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"e", u"d"}));
}

}  // namespace

// What the editor opens on and where a new note goes, where its window is placed, and what
// an edit does to the tree, the hot keys and the search.

#include "app/editor/editor_target.h"

#include <gtest/gtest.h>

#include <memory>

#include "categories/clipboard_handler.h"
#include "search/clip_query.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/test_tree_view.h"

namespace {

class EditorTargetTest : public ::testing::Test {
 protected:
  EditorTargetTest() {
    handler.AttachTree(view.get(), driver.OwnerWindow());
    driver.OnChange([this] { handler.CaptureClipboard(); });
    work = handler.AddCategory(CCategory{0, 0, 0, 0, u"Work"});
    for (const auto* text : {u"apple", u"banana", u"cherry"}) EXPECT_TRUE(driver.CopyText(text));
    handler.RebuildTree();
  }
  ~EditorTargetTest() override { driver.OnChange(nullptr); }

  CItemNode& CategoryRow(int categoryId) {
    return *handler.Root().children.at(static_cast<unsigned int>(categoryId));
  }
  CItemNode& ClipRow(int categoryId, int clipId) {
    return *CategoryRow(categoryId).children.at(static_cast<unsigned int>(clipId));
  }
  int IdOf(const std::u16string& text) {
    for (const auto& clip : handler.Items()) {
      if (clip->SearchableText() && *clip->SearchableText() == text) return clip->id;
    }
    return 0;
  }
  int Found(const std::u16string& query) {
    handler.SetSearch(CClipQuery(query));
    handler.RebuildTree();
    return handler.SearchMatches();
  }

  std::unique_ptr<TCustomTreeView> view = MakeTestTreeView();
  CClipboardDriver driver;
  CClipboardHandler handler;
  int work = 0;
};

TEST_F(EditorTargetTest, ANewNoteGoesToTheSelectedUserCategoryElseToTheQuickNotes) {
  EXPECT_EQ(NewNoteCategory(nullptr), kNotesCategoryId);
  EXPECT_EQ(NewNoteCategory(&CategoryRow(kHistoryCategoryId)), kNotesCategoryId);
  EXPECT_EQ(NewNoteCategory(&ClipRow(kHistoryCategoryId, IdOf(u"apple"))), kNotesCategoryId);
  EXPECT_EQ(NewNoteCategory(&CategoryRow(kNotesCategoryId)), kNotesCategoryId);
  EXPECT_EQ(NewNoteCategory(&CategoryRow(work)), work);
  ASSERT_TRUE(handler.MoveItem(IdOf(u"apple"), work));
  handler.RebuildTree();
  EXPECT_EQ(NewNoteCategory(&ClipRow(work, IdOf(u"apple"))), work);
}

TEST_F(EditorTargetTest, ANewNoteShowsFirstInItsCategoryWithTheFirstQuickNumber) {
  ASSERT_TRUE(handler.MoveItem(IdOf(u"apple"), work));
  const int note = handler.AddNote(work, u"call Anna");
  handler.RebuildTree();
  EXPECT_EQ(CategoryRow(work).Order().front()->id, static_cast<unsigned int>(note));
  EXPECT_EQ(ClipRow(work, note).quickNumber, 21);
  EXPECT_EQ(ClipRow(work, IdOf(u"apple")).quickNumber, 22);
}

TEST_F(EditorTargetTest, OnlyATextClipIsEditedAndItsTargetNamesItsCategory) {
  const std::optional<CClipEditorTarget> target =
      EditTargetFor(handler, IdOf(u"banana"), u"today 10:00");
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->text, u"banana");
  EXPECT_EQ(target->categoryName, u"Clipboard history");
  EXPECT_EQ(target->timeText, u"today 10:00");
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(2, 2, 24)));
  EXPECT_FALSE(EditTargetFor(handler, handler.Items().front()->id, u"").has_value());
  EXPECT_FALSE(EditTargetFor(handler, 424242, u"").has_value());
  EXPECT_EQ(NewNoteTarget(handler, work).categoryName, u"Work");
}

TEST_F(EditorTargetTest, AnEditKeepsTheRowsQuickNumberAndHotKeyAndShowsTheNewText) {
  ASSERT_TRUE(handler.SetItemHotKey(IdOf(u"banana"), 0x0431));
  handler.RebuildTree();
  ASSERT_EQ(ClipRow(kHistoryCategoryId, IdOf(u"banana")).quickNumber, 2);

  const int edited = handler.ReplaceClipText(IdOf(u"banana"), u"blueberry");
  ASSERT_NE(edited, 0);
  handler.RebuildTree();
  const CItemNode& row = ClipRow(kHistoryCategoryId, edited);
  EXPECT_EQ(row.caption, u"blueberry");
  EXPECT_EQ(row.quickNumber, 2);
  // Where it was, in the mirror and in the view, not on top as a newer copy would be.
  std::vector<std::u16string> shown;
  for (TTreeNode* child : view->ChildRows(CategoryRow(kHistoryCategoryId).treeNode)) {
    shown.push_back(static_cast<const CItemNode*>(view->RowData(child))->caption);
  }
  EXPECT_EQ(shown, (std::vector<std::u16string>{u"cherry", u"blueberry", u"apple"}));
  EXPECT_EQ(CategoryRow(kHistoryCategoryId).Order().at(1), &row);
  EXPECT_EQ(handler.HotKeys().at(0x0431), static_cast<unsigned int>(edited));
  EXPECT_EQ(CategoryRow(kHistoryCategoryId).children.size(), 3u);
  ASSERT_TRUE(handler.PutNthItemToClipboard(1, kHistoryCategoryId));
  EXPECT_EQ(driver.ReadUnicodeText(), u"blueberry");
}

TEST_F(EditorTargetTest, TheSearchFindsTheNewTextAndNoLongerTheOld) {
  EXPECT_EQ(Found(u"banana"), 1);  // the search keeps the clip's folded text meanwhile
  ASSERT_NE(handler.ReplaceClipText(IdOf(u"banana"), u"blueberry pie"), 0);
  handler.RebuildTree();
  EXPECT_EQ(handler.SearchMatches(), 0);
  EXPECT_EQ(Found(u"blueberry"), 1);
  EXPECT_EQ(Found(u"banana"), 0);
}

TEST_F(EditorTargetTest, TheEditorGoesLeftOfTheListWhenThereIsRoomElseRight) {
  const EditorRect area{0, 0, 1920, 1040};
  EXPECT_EQ(PlaceEditor({1500, 100, 1800, 600}, 380, 260, area),
            (EditorRect{1116, 100, 1496, 360}));
  EXPECT_EQ(PlaceEditor({100, 100, 400, 600}, 380, 260, area), (EditorRect{404, 100, 784, 360}));
  // Low on the screen it moves up into the work area; larger than it, it shrinks to it.
  EXPECT_EQ(PlaceEditor({1500, 900, 1800, 1000}, 380, 260, area),
            (EditorRect{1116, 780, 1496, 1040}));
  EXPECT_EQ(PlaceEditor({10, 0, 20, 100}, 3000, 2000, area), (EditorRect{0, 0, 1920, 1040}));
}

}  // namespace

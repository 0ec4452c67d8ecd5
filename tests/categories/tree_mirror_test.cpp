// The category tree mirror and the hierarchy rules, against the test view: the recording
// view natively, a real tree view under Wine.

#include <gtest/gtest.h>

#include <stdexcept>

#include "categories/clipboard_handler.h"
#include "store/image_item.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/test_tree_view.h"

namespace {

class TreeMirrorTest : public ::testing::Test {
 protected:
  TreeMirrorTest() {
    handler.AttachTree(view.get(), driver.OwnerWindow());
    driver.OnChange([this] {
      handler.CaptureClipboard();
      handler.RebuildTree();
    });
  }
  ~TreeMirrorTest() override { driver.OnChange(nullptr); }

  static const CItemNode& Node(TCustomTreeView& tree, TTreeNode* row) {
    return *static_cast<const CItemNode*>(tree.RowData(row));
  }
  // The captions of the rows below `parent` in view order ("#n" for a clip with no caption).
  std::vector<std::u16string> Captions(TTreeNode* parent = nullptr) const {
    std::vector<std::u16string> captions;
    for (TTreeNode* row : view->ChildRows(parent)) captions.push_back(Node(*view, row).caption);
    return captions;
  }
  TTreeNode* TopRow(std::size_t index) const { return view->ChildRows(nullptr).at(index); }
  TTreeNode* RowOf(unsigned int id) const {
    for (TTreeNode* top : view->ChildRows(nullptr)) {
      if (Node(*view, top).id == id) return top;
      for (TTreeNode* row : view->ChildRows(top)) {
        if (Node(*view, row).id == id) return row;
      }
    }
    return nullptr;
  }
  // Each node below `parent` knows how many rows come before its own, as the view has them.
  void ExpectPlacesAsInTheView(TTreeNode* parent) const {
    const std::vector<TTreeNode*> rows = view->ChildRows(parent);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(Node(*view, rows[i]).RowsBefore(), static_cast<int>(i)) << "row " << i;
    }
  }
  std::vector<int> QuickNumbers(TTreeNode* parent) const {
    std::vector<int> numbers;
    for (TTreeNode* row : view->ChildRows(parent)) numbers.push_back(Node(*view, row).quickNumber);
    return numbers;
  }
  int AddText(const std::u16string& text, int categoryId) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    clip->categoryId = categoryId;
    handler.AppendClip(std::move(clip));
    return handler.Items().back()->id;
  }
  int AddPicture(int width, int height) {
    auto clip = std::make_unique<CImageItem>();
    clip->SetPicture(TBitmap(width, height, 24));
    clip->categoryId = kNotesCategoryId;
    handler.AppendClip(std::move(clip));
    return handler.Items().back()->id;
  }

  CClipboardDriver driver;
  std::unique_ptr<TCustomTreeView> view = MakeTestTreeView();
  CClipboardHandler handler;
};

TEST_F(TreeMirrorTest, EmptyStoreShowsTheTwoBuiltInCategories) {
  handler.RebuildTree();
  EXPECT_EQ(Captions(), (std::vector<std::u16string>{u"Clipboard history", u"Quick notes"}));
  EXPECT_EQ(Node(*view, TopRow(0)).clipCount, 0u);
  EXPECT_EQ(Node(*view, TopRow(1)).iconIndex, 1);
  EXPECT_FALSE(view->HasParentRow(TopRow(0)));
}

TEST_F(TreeMirrorTest, RebuildBeforeAttachingChangesNothing) {
  CClipboardHandler detached;
  detached.RebuildTree();
  EXPECT_TRUE(detached.Root().children.empty());
}

TEST_F(TreeMirrorTest, CaptionsAreTheFirst200UnitsTrimmedAndCountsTheLength) {
  AddText(std::u16string(300, u'a'), kNotesCategoryId);
  AddText(u"  \r\n\t ", kNotesCategoryId);
  handler.RebuildTree();
  EXPECT_EQ(Captions(TopRow(1)), (std::vector<std::u16string>{std::u16string(200, u'a'), u""}));
  EXPECT_EQ(Node(*view, view->ChildRows(TopRow(1))[0]).textLength, 300u);
  EXPECT_EQ(Node(*view, TopRow(1)).clipCount, 2u);
}

TEST_F(TreeMirrorTest, ThumbnailsAre22PixelsHighWithTruncatedWidth) {
  const int wide = AddPicture(100, 50);
  const int tall = AddPicture(10, 30);
  const int flat = AddPicture(5, 0);
  handler.RebuildTree();
  const auto& wideNode = Node(*view, RowOf(static_cast<unsigned>(wide)));
  ASSERT_NE(wideNode.thumbnail, nullptr);
  EXPECT_EQ(wideNode.thumbnail->Width(), 44);
  EXPECT_EQ(wideNode.thumbnail->Height(), 22);
  EXPECT_EQ(wideNode.thumbnail->BitsPerPixel(), 24);
  EXPECT_EQ(Node(*view, RowOf(static_cast<unsigned>(tall))).thumbnail->Width(), 7);
  EXPECT_EQ(Node(*view, RowOf(static_cast<unsigned>(flat))).thumbnail, nullptr);
}

TEST_F(TreeMirrorTest, ThumbnailsAreMadeAgainAtTheHeightOfANewDpi) {
  const int wide = AddPicture(100, 50);
  handler.RebuildTree();
  handler.SetThumbnailHeight(33);  // 144 dpi
  handler.RebuildTree();
  const auto& node = Node(*view, RowOf(static_cast<unsigned>(wide)));
  ASSERT_NE(node.thumbnail, nullptr);
  EXPECT_EQ(node.thumbnail->Height(), 33);
  EXPECT_EQ(node.thumbnail->Width(), 66);
  const int later = AddPicture(10, 10);  // a capture after the change takes the new height
  handler.RebuildTree();
  EXPECT_EQ(Node(*view, RowOf(static_cast<unsigned>(later))).thumbnail->Height(), 33);
  handler.SetThumbnailHeight(0);
  handler.RebuildTree();
  EXPECT_EQ(node.thumbnail->Height(), 33);
}

TEST_F(TreeMirrorTest, ThumbnailsOfStripsAreClampedAndTheRestOfTheTreeIsBuilt) {
  // A strip as wide as a picture may be would need a thumbnail 720,896 pixels wide.
  const int strip = AddPicture(TBitmap::kMaxSide, 1);
  const int needle = AddPicture(1, TBitmap::kMaxSide);
  const int square = AddPicture(300, 22);
  const int after = AddText(u"after the strip", kNotesCategoryId);
  handler.RebuildTree();
  const CItemNode& stripNode = Node(*view, RowOf(static_cast<unsigned>(strip)));
  ASSERT_NE(stripNode.thumbnail, nullptr);
  EXPECT_EQ(stripNode.thumbnail->Width(), 2048);
  EXPECT_EQ(stripNode.thumbnail->Height(), 22);
  EXPECT_EQ(Node(*view, RowOf(static_cast<unsigned>(needle))).thumbnail->Width(), 1);
  EXPECT_EQ(Node(*view, RowOf(static_cast<unsigned>(square))).thumbnail->Width(), 300);
  EXPECT_NE(RowOf(static_cast<unsigned>(after)), nullptr);
}

TEST_F(TreeMirrorTest, ThumbnailPixelsAverageWhatTheyCover) {
  auto clip = std::make_unique<CImageItem>();
  TBitmap picture(4, 44, 24);
  for (int y = 0; y < 44; ++y) picture.Row(y)[0] = y % 2 == 0 ? 200 : 100;  // blue of column 0
  clip->SetPicture(std::move(picture));
  clip->categoryId = kNotesCategoryId;
  handler.AppendClip(std::move(clip));
  handler.RebuildTree();
  const TBitmap& thumbnail = *Node(*view, view->ChildRows(TopRow(1))[0]).thumbnail;
  ASSERT_EQ(thumbnail.Width(), 2);
  EXPECT_EQ(thumbnail.PixelColor(0, 5), 75u);  // (200 + 100 + 0 + 0) / 4
  EXPECT_EQ(thumbnail.PixelColor(1, 5), 0u);
}

TEST_F(TreeMirrorTest, QuickNumbersCountEachCategoryAndUserCategoriesFrom21) {
  const int work = handler.AddCategory(CCategory{0, 0, 2, 0, u"Work"});
  AddText(u"w", work);
  for (int i = 0; i < 12; ++i)
    ASSERT_TRUE(driver.CopyText(u"h" + std::u16string(1, char16_t(u'a' + i))));
  AddText(u"n1", kNotesCategoryId);
  handler.RebuildTree();
  // Past the tenth the history keeps no numbers: none is shown, and its order is its ids.
  EXPECT_EQ(QuickNumbers(TopRow(0)), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}));
  EXPECT_EQ(Captions(TopRow(0)).front(), u"hl");
  EXPECT_EQ(QuickNumbers(TopRow(2)), std::vector<int>{21});
  EXPECT_EQ(QuickNumbers(TopRow(1)), std::vector<int>{1});
}

TEST_F(TreeMirrorTest, ViewOrderIsCategoriesByIdNewestHistoryFirstAndSubCategoriesFirst) {
  const int b = handler.AddCategory(CCategory{0, 0, 0, 0, u"B first made"});
  const int a = handler.AddCategory(CCategory{0, 0, 0, 0, u"A second made"});
  AddText(u"clip of B", b);
  handler.AddCategory(CCategory{0, b, 0, 0, u"child of B"});
  ASSERT_TRUE(driver.CopyText(u"old"));
  ASSERT_TRUE(driver.CopyText(u"new"));
  EXPECT_EQ(Captions(), (std::vector<std::u16string>{u"Clipboard history", u"Quick notes",
                                                     u"B first made", u"A second made"}));
  EXPECT_EQ(Captions(TopRow(0)), (std::vector<std::u16string>{u"new", u"old"}));
  EXPECT_EQ(Captions(TopRow(2)), (std::vector<std::u16string>{u"child of B", u"clip of B"}));
  EXPECT_EQ(Node(*view, view->ChildRows(TopRow(2))[0]).indent, 16);
  EXPECT_EQ(Node(*view, RowOf(static_cast<unsigned>(a))).indent, 2);
  for (TTreeNode* parent : {static_cast<TTreeNode*>(nullptr), TopRow(0), TopRow(2)}) {
    ExpectPlacesAsInTheView(parent);
  }
}

TEST_F(TreeMirrorTest, RebuildWithoutChangeKeepsRowsOrderExpansionAndSelection) {
  ASSERT_TRUE(driver.CopyText(u"one"));
  ASSERT_TRUE(driver.CopyText(u"two"));
  const auto rowsBefore = view->ChildRows(TopRow(0));
  view->SetExpanded(TopRow(0), true);
  view->Select(rowsBefore[1]);
  handler.RebuildTree();
  EXPECT_EQ(view->ChildRows(TopRow(0)), rowsBefore);
  EXPECT_TRUE(view->IsExpanded(TopRow(0)));
  EXPECT_EQ(view->Selected(), rowsBefore[1]);
  ASSERT_TRUE(driver.CopyText(u"three"));  // a capture adds one row and keeps the others
  EXPECT_EQ(view->ChildRows(TopRow(0)).size(), 3u);
  ExpectPlacesAsInTheView(TopRow(0));
  EXPECT_EQ(view->ChildRows(TopRow(0))[2], rowsBefore[1]);
  EXPECT_EQ(view->Selected(), rowsBefore[1]);
  EXPECT_TRUE(view->IsExpanded(TopRow(0)));
}

TEST_F(TreeMirrorTest, MovedClipLeavesItsRowAndTheNumbersCloseUp) {
  for (const char16_t* text : {u"a", u"b", u"c"}) ASSERT_TRUE(driver.CopyText(text));
  AddText(u"note", kNotesCategoryId);
  handler.RebuildTree();
  const int middle = static_cast<int>(Node(*view, view->ChildRows(TopRow(0))[1]).id);
  ASSERT_TRUE(handler.MoveItem(middle, kNotesCategoryId));
  handler.RebuildTree();
  EXPECT_EQ(Captions(TopRow(0)), (std::vector<std::u16string>{u"c", u"a"}));
  EXPECT_EQ(QuickNumbers(TopRow(0)), (std::vector<int>{1, 2}));
  EXPECT_EQ(Captions(TopRow(1)), (std::vector<std::u16string>{u"note", u"b"}));
  EXPECT_EQ(RowOf(static_cast<unsigned>(middle)), nullptr);
}

TEST_F(TreeMirrorTest, DeletedCategoryTakesItsRowsAndOrphansItsClips) {
  const int top = handler.AddCategory(CCategory{0, 0, 0, 0, u"Top"});
  const int first = handler.AddCategory(CCategory{0, top, 0, 0, u"Child 1"});
  const int second = handler.AddCategory(CCategory{0, top, 0, 0, u"Child 2"});
  AddText(u"in top", top);
  AddText(u"in child", first);
  AddText(u"kept", kNotesCategoryId);
  handler.RebuildTree();
  ASSERT_EQ(view->ChildRows(nullptr).size(), 3u);
  ASSERT_TRUE(handler.DeleteCategory(top));
  handler.RebuildTree();
  EXPECT_EQ(Captions(), (std::vector<std::u16string>{u"Clipboard history", u"Quick notes"}));
  EXPECT_EQ(Node(*view, TopRow(1)).clipCount, 1u);
  int orphans = 0;
  for (const auto& clip : handler.Items()) orphans += clip->orphaned ? 1 : 0;
  EXPECT_EQ(orphans, 2);

  CDataBase reloaded;
  reloaded.LoadFromMemory(handler.SaveToMemory());
  EXPECT_EQ(reloaded.Items().size(), 1u);
  EXPECT_NE(reloaded.FindCategory(first), nullptr);
  EXPECT_NE(reloaded.FindCategory(second), nullptr);
}

TEST_F(TreeMirrorTest, AHotKeySetAndAClipOrphanedMoveTheStoresRevision) {
  const int top = handler.AddCategory(CCategory{0, 0, 0, 0, u"Top"});
  AddText(u"in top", top);
  handler.RebuildTree();
  std::uint64_t last = handler.Revision();
  ASSERT_TRUE(handler.SetItemHotKey(handler.Items().front()->id, 0x4031));
  EXPECT_NE(handler.Revision(), last);
  ASSERT_TRUE(handler.DeleteCategory(top));
  // The rebuild orphans the clip of the deleted category, which a save then leaves out.
  last = handler.Revision();
  handler.RebuildTree();
  EXPECT_NE(handler.Revision(), last);
  last = handler.Revision();
  handler.RebuildTree();
  EXPECT_EQ(handler.Revision(), last);
}

TEST_F(TreeMirrorTest, ClearingTheNotesRemovesEveryNoteAndNothingElse) {
  AddText(u"n1", kNotesCategoryId);
  AddText(u"n2", kNotesCategoryId);
  ASSERT_TRUE(driver.CopyText(u"history"));
  handler.DeleteItemsOfCategory(kNotesCategoryId);
  handler.RebuildTree();
  EXPECT_TRUE(view->ChildRows(TopRow(1)).empty());
  EXPECT_EQ(Captions(TopRow(0)), std::vector<std::u16string>{u"history"});
}

TEST_F(TreeMirrorTest, HotKeyGoesToTheFirstClipInListOrder) {
  const int first = AddText(u"first", kNotesCategoryId);
  const int second = AddText(u"second", kNotesCategoryId);
  ASSERT_TRUE(handler.SetItemHotKey(second, 0x4031));
  ASSERT_TRUE(handler.SetItemHotKey(first, 0x4031));
  EXPECT_FALSE(handler.SetItemHotKey(999, 0x4031));
  handler.RebuildTree();
  EXPECT_EQ(handler.HotKeys().at(0x4031), static_cast<unsigned>(first));
  EXPECT_TRUE(handler.PutItemByHotKey(0x4031));
  EXPECT_EQ(driver.ReadUnicodeText(), u"first");
}

TEST_F(TreeMirrorTest, RemovedOrDeletedHotKeysPasteNothing) {
  const int note = AddText(u"note", kNotesCategoryId);
  const int other = AddText(u"other", kNotesCategoryId);
  handler.SetItemHotKey(note, 0x4031);
  handler.SetItemHotKey(other, 0x4032);
  handler.RebuildTree();
  handler.SetItemHotKey(note, 0);
  handler.RebuildTree();
  EXPECT_FALSE(handler.PutItemByHotKey(0x4031));
  handler.DeleteItem(other);  // no rebuild yet
  EXPECT_FALSE(handler.PutItemByHotKey(0x4032));
}

TEST_F(TreeMirrorTest, DamagedParentChainsEndAndClipsOutsideCategoriesAreOrphaned) {
  handler.AppendCategory(CCategory{1001, 0, 0, 0, u"A"});
  handler.AppendCategory(CCategory{1002, 1001, 0, 0, u"B"});
  handler.AppendCategory(CCategory{1001, 1002, 0, 0, u"A again"});  // a cycle through a repeated id
  const int lost = AddText(u"in a clip's id range", 100000);
  handler.RebuildTree();
  EXPECT_EQ(view->ChildRows(nullptr).size(), 3u);
  EXPECT_TRUE(handler.FindItem(lost)->orphaned);
}

TEST(HandlerTest, AHandlerWithoutAViewBuildsNodesWithoutRows) {
  CClipboardHandler handler;
  handler.AttachTree(nullptr, nullptr);
  EXPECT_EQ(handler.TreeView(), nullptr);
  handler.RebuildTree();
  ASSERT_EQ(handler.Root().children.size(), 2u);
  EXPECT_EQ(handler.Root().children.begin()->second->treeNode, nullptr);
}

TEST(HandlerTest, TheProcessWideHandlerExistsOnlyBetweenCreateAndRelease) {
  ReleaseHandler();
  EXPECT_THROW(GetHandler(), std::logic_error);
  CClipboardHandler& made = CreateHandler(nullptr, nullptr);
  EXPECT_EQ(&GetHandler(), &made);
  ReleaseHandler();
  EXPECT_THROW(GetHandler(), std::logic_error);
}

TEST(HandlerTest, CategoriesOnlyTreeUsesTheSameNodes) {
  auto view = MakeTestTreeView();
  CDataBase store;
  const int top = store.AddCategory(CCategory{0, 0, 4, 0, u"Top"});
  const int child = store.AddCategory(CCategory{0, top, 0, 0, u"Child"});
  CItemNode root;
  root.isCategory = true;
  auto cycle = [&] {
    root.ClearMarks();
    root.marked = true;
    PopulateCategories(store, root, 0, view.get(), false);
    root.PruneUnmarked(view.get());
  };
  cycle();
  ASSERT_EQ(view->ChildRows(nullptr).size(), 1u);
  EXPECT_EQ(view->ChildRows(view->ChildRows(nullptr)[0]).size(), 1u);
  store.DeleteCategory(child);
  cycle();
  EXPECT_TRUE(view->ChildRows(view->ChildRows(nullptr)[0]).empty());
}

}  // namespace

// Categories as a damaged or hand-made data file can hold them: a chain thousands deep and
// thousands side by side. The rebuild, the categories-only tree and the handler's end must
// take them without running out of stack, and show every category its parents reach.

#include <gtest/gtest.h>

#include "categories/clipboard_handler.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/test_tree_view.h"

namespace {

constexpr int kFirstCategory = CDataBase::kCategoryIdBase + 1;

class CategoryWalkTest : public ::testing::Test {
 protected:
  CategoryWalkTest() { handler->AttachTree(view.get(), driver.OwnerWindow()); }
  ~CategoryWalkTest() override {
    handler.reset();  // before the view that holds its rows
  }

  int AddText(const std::u16string& text, int categoryId) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->categoryId = categoryId;
    handler->AppendClip(std::move(clip));
    return handler->Items().back()->id;
  }
  // Each category below the one before it, the first at the top level.
  void AddChain(int depth) {
    for (int i = 0; i < depth; ++i) {
      handler->AppendCategory(
          CCategory{kFirstCategory + i, i == 0 ? 0 : kFirstCategory + i - 1, 0, 0, u"level"});
    }
  }
  // The rows at every depth, counted without recursion.
  std::size_t RowCount() const {
    std::size_t count = 0;
    std::vector<TTreeNode*> pending = view->ChildRows(nullptr);
    while (!pending.empty()) {
      TTreeNode* row = pending.back();
      pending.pop_back();
      ++count;
      for (TTreeNode* child : view->ChildRows(row)) pending.push_back(child);
    }
    return count;
  }
  const CItemNode* Node(TTreeNode* row) const {
    return static_cast<const CItemNode*>(view->RowData(row));
  }

  CClipboardDriver driver;
  std::unique_ptr<TCustomTreeView> view = MakeTestTreeView();
  std::unique_ptr<CClipboardHandler> handler = std::make_unique<CClipboardHandler>();
};

TEST_F(CategoryWalkTest, ChainTenThousandDeepIsShownToItsEndAndGoesWithItsTop) {
  constexpr int kDepth = 10000;
  AddChain(kDepth);
  const int deepest = AddText(u"at the bottom", kFirstCategory + kDepth - 1);
  const int middle = AddText(u"half way", kFirstCategory + kDepth / 2);
  handler->RebuildTree();
  EXPECT_FALSE(handler->FindItem(deepest)->orphaned);
  EXPECT_FALSE(handler->FindItem(middle)->orphaned);
  EXPECT_EQ(RowCount(), 2u + kDepth + 2u);

  // Down the chain through the view: every level below the first is indented as a child.
  TTreeNode* row = view->ChildRows(nullptr).at(2);
  for (int level = 1; level < kDepth; ++level) {
    const std::vector<TTreeNode*> below = view->ChildRows(row);
    ASSERT_FALSE(below.empty()) << "level " << level;
    row = below.front();  // sub-categories come before clips
    ASSERT_EQ(Node(row)->id, static_cast<unsigned>(kFirstCategory + level));
    ASSERT_EQ(Node(row)->indent, 16);
  }
  ASSERT_EQ(view->ChildRows(row).size(), 1u);
  EXPECT_EQ(Node(view->ChildRows(row)[0])->caption, u"at the bottom");
  EXPECT_EQ(Node(view->ChildRows(row)[0])->indent, 18);

  ASSERT_TRUE(driver.CopyText(u"a capture"));
  handler->CaptureClipboard();
  handler->RebuildTree();
  EXPECT_EQ(RowCount(), 2u + kDepth + 3u);

  ASSERT_TRUE(handler->DeleteCategory(kFirstCategory));
  handler->RebuildTree();
  EXPECT_EQ(RowCount(), 3u);  // the two built-in categories and the capture
  EXPECT_TRUE(handler->FindItem(deepest)->orphaned);
}

TEST_F(CategoryWalkTest, ChainWithARepeatedIdEndsAndTheSettingsTreeTakesItToo) {
  AddChain(3000);
  // A damaged copy of the top further down makes a cycle.
  handler->AppendCategory(CCategory{kFirstCategory, kFirstCategory + 2999, 0, 0, u"again"});
  handler->RebuildTree();
  EXPECT_EQ(RowCount(), 2u + 3000u);

  // The settings dialog's categories-only tree, with a view of its own.
  auto ownView = MakeTestTreeView();
  CItemNode ownRoot;
  ownRoot.isCategory = true;
  ownRoot.marked = true;
  PopulateCategories(*handler, ownRoot, 0, ownView.get(), false);
  ownRoot.PruneUnmarked(ownView.get());
  std::size_t depth = 0;
  for (std::vector<TTreeNode*> rows = ownView->ChildRows(nullptr); !rows.empty();
       rows = ownView->ChildRows(rows.front())) {
    ++depth;
  }
  EXPECT_EQ(depth, 3000u);
  ownRoot.ClearMarks();
  ownRoot.PruneUnmarked(ownView.get());
  EXPECT_TRUE(ownView->ChildRows(nullptr).empty());
}

TEST_F(CategoryWalkTest, ManyCategoriesSideBySideAreAllShownInIdOrderWithTheirClips) {
  constexpr int kCount = 8000;
  for (int i = kCount - 1; i >= 0; --i) {  // stored newest first: the view still orders by id
    handler->AppendCategory(CCategory{kFirstCategory + i, 0, i % 8, 0, u"flat"});
  }
  for (int i = 0; i < kCount; i += 100) AddText(u"filed", kFirstCategory + i);
  handler->RebuildTree();
  const std::vector<TTreeNode*> top = view->ChildRows(nullptr);
  ASSERT_EQ(top.size(), 2u + kCount);
  for (int i = 0; i < kCount; ++i) {
    const CItemNode& node = *Node(top[static_cast<std::size_t>(i) + 2]);
    ASSERT_EQ(node.id, static_cast<unsigned>(kFirstCategory + i));
    ASSERT_EQ(node.clipCount, i % 100 == 0 ? 1u : 0u) << node.id;
  }
  for (const auto& clip : handler->Items()) EXPECT_FALSE(clip->orphaned);
  // The numbers of user categories' clips run on across them, from 21.
  EXPECT_EQ(Node(view->ChildRows(top[2])[0])->quickNumber, 21);
  EXPECT_EQ(Node(view->ChildRows(top[102])[0])->quickNumber, 22);
}

}  // namespace

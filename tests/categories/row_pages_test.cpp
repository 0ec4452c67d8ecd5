// Rows on demand: a long history holds rows for its first page and for the pages the view
// came near, the keys that reach far (End, a clip selected by id) make the rows they need,
// and a capture keeps the page. Against the recording view natively and a real tree view
// under Wine.

#include <gtest/gtest.h>

#include <string>

#include "categories/clipboard_handler.h"
#include "categories/tree_search.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/test_tree_view.h"

namespace {

std::u16string Numbered(std::u16string_view text, int number) {
  const std::string digits = std::to_string(number);
  return std::u16string(text) + u" " + std::u16string(digits.begin(), digits.end());
}

class RowPagesTest : public ::testing::Test {
 protected:
  RowPagesTest() {
    handler.SetLimits({.capacity = 6000});
    handler.AttachTree(view.get(), driver.OwnerWindow());
    driver.OnChange([this] {
      handler.CaptureClipboard();
      handler.RebuildTree();
    });
  }
  ~RowPagesTest() override { driver.OnChange(nullptr); }

  void Append(int count, int categoryId, const std::u16string& text = u"clip") {
    for (int i = 0; i < count; ++i) {
      auto clip = std::make_unique<CTextItem>();
      clip->text = text + u" " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
      clip->textLength = static_cast<int>(clip->text.size());
      clip->categoryId = categoryId;
      handler.AppendClip(std::move(clip));
    }
  }
  TTreeNode* CategoryRow(int categoryId) const {
    return const_cast<CClipboardHandler&>(handler)
        .Root()
        .children.at(static_cast<unsigned int>(categoryId))
        ->treeNode;
  }
  std::vector<TTreeNode*> ClipRows(int categoryId) const {
    return view->ChildRows(CategoryRow(categoryId));
  }
  const CItemNode& Node(TTreeNode* row) const {
    return *static_cast<const CItemNode*>(view->RowData(row));
  }
  // The id of the history's `index`th clip in list order.
  int HistoryClip(std::size_t index) const {
    std::size_t seen = 0;
    for (const auto& clip : handler.Items()) {
      if (clip->categoryId == kHistoryCategoryId && seen++ == index) return clip->id;
    }
    return 0;
  }

  CClipboardDriver driver;
  std::unique_ptr<TCustomTreeView> view = MakeTestTreeView();
  CClipboardHandler handler;
};

TEST_F(RowPagesTest, AnUnfoldedHistoryOf5000ClipsHoldsOnlyItsFirstPageOfRows) {
  Append(5000, kHistoryCategoryId);
  handler.RebuildTree();
  view->SetExpanded(CategoryRow(kHistoryCategoryId), true);
  const std::vector<TTreeNode*> rows = ClipRows(kHistoryCategoryId);
  ASSERT_EQ(rows.size(), kRowPage);
  EXPECT_EQ(static_cast<int>(Node(rows.front()).id), HistoryClip(0));
  EXPECT_EQ(static_cast<int>(Node(rows.back()).id), HistoryClip(kRowPage - 1));
  // Counts and numbers still speak of every clip.
  EXPECT_EQ(handler.Root().children.at(kHistoryCategoryId)->clipCount, 5000u);
  EXPECT_EQ(Node(rows.front()).quickNumber, 1);
}

TEST_F(RowPagesTest, ACaptureKeepsThePageBoundary) {
  handler.SetLimits({.capacity = 1000});
  Append(1000, kHistoryCategoryId);
  handler.RebuildTree();
  ASSERT_TRUE(driver.CopyText(u"captured"));
  const std::vector<TTreeNode*> rows = ClipRows(kHistoryCategoryId);
  ASSERT_EQ(rows.size(), kRowPage);
  EXPECT_EQ(Node(rows.front()).caption, u"captured");
  EXPECT_EQ(static_cast<int>(Node(rows.back()).id), HistoryClip(kRowPage - 1));
}

TEST_F(RowPagesTest, OnlyARowNearTheEndOfThePageMakesTheNextPage) {
  handler.SetRowPage(10);
  Append(35, kHistoryCategoryId);
  handler.RebuildTree();
  std::vector<TTreeNode*> rows = ClipRows(kHistoryCategoryId);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_FALSE(handler.MakeRowsNear(Node(rows[4])));
  EXPECT_EQ(ClipRows(kHistoryCategoryId).size(), 10u);
  EXPECT_TRUE(handler.MakeRowsNear(Node(rows[5])));
  rows = ClipRows(kHistoryCategoryId);
  ASSERT_EQ(rows.size(), 20u);
  EXPECT_EQ(static_cast<int>(Node(rows[19]).id), HistoryClip(19));
  EXPECT_EQ(Node(rows[19]).RowsBefore(), 19);
  // The last page holds what is left, and then there is nothing more to make.
  EXPECT_TRUE(handler.MakeRowsNear(Node(rows[19])));
  EXPECT_TRUE(handler.MakeRowsNear(Node(ClipRows(kHistoryCategoryId)[29])));
  EXPECT_EQ(ClipRows(kHistoryCategoryId).size(), 35u);
  EXPECT_FALSE(handler.MakeRowsNear(Node(ClipRows(kHistoryCategoryId)[34])));
}

// A long category has nodes for its pages only; those the view comes to later are numbered
// as a walk over every clip numbers them, the user categories' clips sharing one run.
TEST_F(RowPagesTest, ClipsPastThePagesGetTheirNodesAndNumbersAsTheViewComesNear) {
  CClipboardHandler whole;  // every clip with its node
  std::unique_ptr<TCustomTreeView> wholeView = MakeTestTreeView();
  whole.AttachTree(wholeView.get(), driver.OwnerWindow());
  handler.SetRowPage(3);
  std::vector<int> categories;
  for (CClipboardHandler* store : {&handler, &whole}) {
    const int first = store->AddCategory(CCategory{0, 0, 0, 0, u"first"});
    const int second = store->AddCategory(CCategory{0, 0, 0, 0, u"second"});
    for (int i = 0; i < 10; ++i) {
      auto add = [store, i](int categoryId, std::u16string_view text) {
        auto clip = std::make_unique<CTextItem>();
        clip->text = Numbered(text, i);
        clip->textLength = static_cast<int>(clip->text.size());
        clip->categoryId = categoryId;
        store->AppendClip(std::move(clip));
      };
      add(first, u"first");
      add(second, u"second");
      add(kNotesCategoryId, u"note");
      add(kHistoryCategoryId, u"copied");
      if (i % 2 == 0) add(kHistoryCategoryId, u"copied again");
    }
    store->RebuildTree();
    categories = {first, second, kNotesCategoryId, kHistoryCategoryId};
  }
  CItemNode& second = *handler.Root().children.at(static_cast<unsigned int>(categories[1]));
  EXPECT_EQ(second.children.size(), 3u);
  EXPECT_EQ(second.clipCount, 10u);
  EXPECT_EQ(handler.Root().children.at(kHistoryCategoryId)->clipCount, 15u);

  // One clip far down, then every clip of each category.
  const int distant = (*std::next(handler.Items().begin(), 33))->id;  // the ninth of `second`
  ASSERT_NE(handler.MakeRowsThrough(distant), nullptr);
  for (int categoryId : categories) {
    handler.MakeAllRows(*handler.Root().children.at(static_cast<unsigned int>(categoryId)));
  }
  for (const auto& clip : whole.Items()) {
    const CItemNode* node = handler.ClipNode(clip->id);
    ASSERT_NE(node, nullptr) << clip->id;
    const CItemNode& expected = *whole.ClipNode(clip->id);
    EXPECT_EQ(node->quickNumber, expected.quickNumber) << clip->id;
    EXPECT_EQ(node->RowsBefore(), expected.RowsBefore()) << clip->id;
    EXPECT_NE(node->treeNode, nullptr) << clip->id;
  }
}

TEST_F(RowPagesTest, AClipSelectedByIdGetsItsRowWithEveryRowBeforeIt) {
  handler.SetRowPage(10);
  Append(100, kHistoryCategoryId);
  handler.RebuildTree();
  const int distant = HistoryClip(57);
  CItemNode* node = handler.MakeRowsThrough(distant);
  ASSERT_NE(node, nullptr);
  ASSERT_NE(node->treeNode, nullptr);
  const std::vector<TTreeNode*> rows = ClipRows(kHistoryCategoryId);
  ASSERT_EQ(rows.size(), 60u);  // up to the end of its page
  EXPECT_EQ(rows[57], node->treeNode);
  EXPECT_EQ(handler.MakeRowsThrough(123456), nullptr);
}

TEST_F(RowPagesTest, EndMakesTheRowsOfTheUnfoldedCategoryThatEndsTheTree) {
  handler.SetRowPage(10);
  Append(40, kHistoryCategoryId);
  Append(25, kNotesCategoryId);
  handler.RebuildTree();
  view->SetExpanded(CategoryRow(kHistoryCategoryId), true);
  // The folded notes end the tree: their row is the last, and nothing is made.
  handler.MakeLastRows();
  EXPECT_EQ(ClipRows(kHistoryCategoryId).size(), 10u);
  EXPECT_EQ(ClipRows(kNotesCategoryId).size(), 10u);
  view->SetExpanded(CategoryRow(kNotesCategoryId), true);
  handler.MakeLastRows();
  EXPECT_EQ(ClipRows(kHistoryCategoryId).size(), 10u);
  const std::vector<TTreeNode*> notes = ClipRows(kNotesCategoryId);
  ASSERT_EQ(notes.size(), 25u);
  EXPECT_EQ(Node(notes.back()).quickNumber, 25);
}

TEST_F(RowPagesTest, ASearchShowsTheFirstPageFoundAndGivesBackASelectionPastIt) {
  handler.SetRowPage(10);
  Append(60, kHistoryCategoryId, u"alpha");
  Append(60, kHistoryCategoryId, u"beta");
  handler.RebuildTree();
  const int distant = HistoryClip(90);
  view->Select(handler.MakeRowsThrough(distant)->treeNode);
  CTreeSearch search;
  search.SetText(handler, u"beta");
  EXPECT_EQ(handler.SearchMatches(), 60);
  ASSERT_EQ(ClipRows(kHistoryCategoryId).size(), 10u);
  EXPECT_EQ(Node(view->Selected()).caption.substr(0, 4), u"beta");
  search.End(handler);
  ASSERT_NE(view->Selected(), nullptr);
  EXPECT_EQ(static_cast<int>(Node(view->Selected()).id), distant);
}

// A query that finds most of a long history makes nodes for the pages the view shows, not
// for every clip it finds; the counts are of every clip found.
TEST_F(RowPagesTest, ASearchMakesNodesForTheFoundClipsOfItsPagesOnly) {
  handler.SetRowPage(10);
  Append(60, kHistoryCategoryId, u"beta");
  Append(15, kNotesCategoryId, u"beta note");
  // Enough others that a narrower query looks up what the wider one found by id.
  Append(800, kHistoryCategoryId, u"alpha");
  // Captures come to the head with the highest ids: the list's order is not the ids'.
  for (int i = 0; i < 15; ++i) ASSERT_TRUE(driver.CopyText(Numbered(u"beta copied", i)));
  handler.RebuildTree();
  CItemNode& history = *handler.Root().children.at(kHistoryCategoryId);
  const auto foundInHistory = [&](std::size_t index) {
    std::size_t seen = 0;
    for (const auto& clip : handler.Items()) {
      if (clip->categoryId == kHistoryCategoryId && clip->SearchableText()->Utf16(4) == u"beta" &&
          seen++ == index) {
        return clip->id;
      }
    }
    return 0;
  };
  const auto expectRowsInOrder = [&](std::size_t rows) {
    const std::vector<TTreeNode*> shown = ClipRows(kHistoryCategoryId);
    ASSERT_EQ(shown.size(), rows);
    for (std::size_t i = 0; i < rows; ++i) {
      EXPECT_EQ(static_cast<int>(Node(shown[i]).id), foundInHistory(i)) << i;
    }
  };

  CTreeSearch search;
  search.SetText(handler, u"bet");
  search.SetText(handler, u"beta");  // looks only at what "bet" found
  EXPECT_EQ(handler.SearchMatches(), 90);
  EXPECT_EQ(history.clipCount, 75u);
  EXPECT_EQ(history.children.size(), 10u);
  expectRowsInOrder(10);
  EXPECT_EQ(handler.ClipNode(foundInHistory(10)), nullptr);

  ASSERT_TRUE(handler.MakeRowsNear(Node(ClipRows(kHistoryCategoryId)[9])));
  expectRowsInOrder(20);
  CItemNode* distant = handler.MakeRowsThrough(foundInHistory(44));
  ASSERT_NE(distant, nullptr);
  EXPECT_EQ(distant->caption, handler.FindItem(foundInHistory(44))->Caption());
  expectRowsInOrder(50);
  EXPECT_EQ(history.children.size(), 50u);
  handler.MakeAllRows(history);
  expectRowsInOrder(75);
  EXPECT_EQ(handler.MakeRowsThrough(HistoryClip(89)), nullptr);  // an "alpha"

  // Once the store changed, the walk's clips are no longer known to be there: nothing is
  // made from them until the rebuild.
  search.SetText(handler, u"beta note");
  EXPECT_EQ(handler.SearchMatches(), 15);
  ASSERT_TRUE(handler.DeleteItem(foundInHistory(0)));
  EXPECT_EQ(handler.MakeRowsThrough(foundInHistory(30)), nullptr);
  handler.RebuildTree();
  search.SetText(handler, u"beta");
  EXPECT_EQ(handler.SearchMatches(), 89);
  EXPECT_NE(handler.MakeRowsThrough(foundInHistory(30)), nullptr);
}

TEST_F(RowPagesTest, EveryRowHasItsClipsCaptionAndAClipBeyondThePagesHasNoNode) {
  handler.SetRowPage(10);
  for (int i = 0; i < 30; ++i) Append(1, kHistoryCategoryId, Numbered(u"text", i));
  handler.RebuildTree();
  const auto expectCaptions = [&] {
    for (TTreeNode* row : ClipRows(kHistoryCategoryId)) {
      const CItemNode& node = Node(row);
      EXPECT_FALSE(node.captionDue);
      EXPECT_EQ(node.caption, handler.FindItem(static_cast<int>(node.id))->Caption());
    }
  };
  expectCaptions();
  EXPECT_EQ(handler.ClipNode(HistoryClip(25)), nullptr);

  // A page made by scrolling, a capture at the head, the row a deletion pulls into the page
  // and an edit of a clip with a row and of one without.
  ASSERT_TRUE(handler.MakeRowsNear(Node(ClipRows(kHistoryCategoryId)[5])));
  ASSERT_TRUE(driver.CopyText(u"captured"));
  // The first row pulled back is the one the capture pushed out; the second was never shown.
  for (int deletion = 0; deletion < 2; ++deletion) {
    ASSERT_TRUE(handler.DeleteItem(HistoryClip(3)));
    handler.RebuildTree();
  }
  ASSERT_EQ(ClipRows(kHistoryCategoryId).size(), 20u);
  expectCaptions();
  handler.ReplaceClipText(HistoryClip(1), u"edited with a row");
  handler.ReplaceClipText(HistoryClip(27), u"edited without one");
  handler.RebuildTree();
  expectCaptions();
  EXPECT_EQ(Node(ClipRows(kHistoryCategoryId)[1]).caption, u"edited with a row");
  EXPECT_EQ(handler.ClipNode(HistoryClip(27)), nullptr);
  EXPECT_EQ(Node(handler.MakeRowsThrough(HistoryClip(27))->treeNode).caption,
            u"edited without one");
}

}  // namespace

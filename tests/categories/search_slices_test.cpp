// A search over a long history walks it a slice at a time: each slice shows what it found,
// the categories and counts follow as the walk goes on, and the tree it ends with is the
// tree of a search that walked every clip at once, whatever changed between the slices.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "categories/clipboard_handler.h"
#include "categories/recording_tree_view.h"
#include "categories/tree_search.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"

namespace {

constexpr std::size_t kPage = 4;

const CItemNode& NodeOf(const TCustomTreeView& view, TTreeNode* row) {
  return *static_cast<const CItemNode*>(view.RowData(row));
}

// The rows below `rowA` and `rowB`, and below them, alike in what they show.
void ExpectSameRows(const CRecordingTreeView& a, TTreeNode* rowA, const CRecordingTreeView& b,
                    TTreeNode* rowB, const std::string& where) {
  const std::vector<TTreeNode*> rowsA = a.ChildRows(rowA);
  const std::vector<TTreeNode*> rowsB = b.ChildRows(rowB);
  ASSERT_EQ(rowsA.size(), rowsB.size()) << where;
  for (std::size_t i = 0; i < rowsA.size(); ++i) {
    const CItemNode& x = NodeOf(a, rowsA[i]);
    const CItemNode& y = NodeOf(b, rowsB[i]);
    const std::string here = where + "/" + std::to_string(x.id);
    ASSERT_EQ(x.id, y.id) << here;
    EXPECT_EQ(x.clipCount, y.clipCount) << here;
    EXPECT_EQ(x.quickNumber, y.quickNumber) << here;
    EXPECT_EQ(a.IsExpanded(rowsA[i]), b.IsExpanded(rowsB[i])) << here;
    EXPECT_EQ(a.Selected() == rowsA[i], b.Selected() == rowsB[i]) << here;
    ExpectSameRows(a, rowsA[i], b, rowsB[i], here);
  }
}

class SearchSlicesTest : public ::testing::Test {
 protected:
  SearchSlicesTest() {
    for (CClipboardHandler* handler : {&sliced, &whole}) {
      handler->SetLimits({.capacity = 500});
      handler->SetRowPage(kPage);
    }
    sliced.SetSearchSlice(CWalkSlice::kNoTimeLimit, 7);
    sliced.AttachTree(&slicedView, driver.OwnerWindow());
    whole.AttachTree(&wholeView, driver.OwnerWindow());
    driver.OnChange([this] {
      for (CClipboardHandler* handler : {&sliced, &whole}) {
        handler->CaptureClipboard();
        handler->RebuildTree();
      }
    });
  }
  ~SearchSlicesTest() override { driver.OnChange(nullptr); }

  void Append(int categoryId, const std::u16string& text) {
    for (CClipboardHandler* handler : {&sliced, &whole}) {
      auto clip = std::make_unique<CTextItem>();
      clip->text = text;
      clip->textLength = static_cast<int>(text.size());
      clip->categoryId = categoryId;
      handler->AppendClip(std::move(clip));
    }
  }
  int AddCategory(int parentId) {
    const int id = sliced.AddCategory(CCategory{0, parentId, 0, 0, u"category"});
    EXPECT_EQ(whole.AddCategory(CCategory{0, parentId, 0, 0, u"category"}), id);
    return id;
  }
  void Rebuild() {
    sliced.RebuildTree();
    whole.RebuildTree();
  }
  void ExpectSameTrees(const std::string& step) {
    ASSERT_FALSE(sliced.SearchUnfinished()) << step;
    EXPECT_EQ(sliced.SearchMatches(), whole.SearchMatches()) << step;
    ExpectSameRows(slicedView, nullptr, wholeView, nullptr, step);
    EXPECT_EQ(sliced.HotKeys(), whole.HotKeys()) << step;
  }
  const CItemNode* Category(CClipboardHandler& handler, int categoryId) {
    auto found = handler.Root().children.find(static_cast<unsigned int>(categoryId));
    return found == handler.Root().children.end() ? nullptr : found->second.get();
  }

  CClipboardDriver driver;
  CRecordingTreeView slicedView;
  CRecordingTreeView wholeView;
  CClipboardHandler sliced;
  CClipboardHandler whole;
  CTreeSearch slicedSearch;
  CTreeSearch wholeSearch;
};

TEST_F(SearchSlicesTest, EveryQueryEndsWithTheTreeOfAWalkOverEveryClipAtOnce) {
  const int top = AddCategory(0);
  const int nested = AddCategory(top);
  const int other = AddCategory(0);
  std::mt19937 random(20261211);
  const std::u16string words[] = {u"alpha", u"alps", u"beta", u"gamma", u"delta", u"note"};
  const int categories[] = {kHistoryCategoryId,
                            kHistoryCategoryId,
                            kHistoryCategoryId,
                            kNotesCategoryId,
                            top,
                            nested,
                            other};
  for (int i = 0; i < 150; ++i) {
    std::u16string text;
    for (int word = 0; word < 3; ++word) {
      text += words[std::uniform_int_distribution<std::size_t>(0, std::size(words) - 1)(random)];
      text += u' ';
    }
    Append(categories[std::uniform_int_distribution<std::size_t>(
               0, std::size(categories) - 1)(random)],
           text + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
  }
  Rebuild();
  ASSERT_TRUE(sliced.SetItemHotKey(sliced.Items().back()->id, 0x0251));
  ASSERT_TRUE(whole.SetItemHotKey(whole.Items().back()->id, 0x0251));
  Rebuild();

  // Typed on and back: narrower queries look along what a wider one found, a slice at a
  // time too; one finds nothing.
  int slices = 0;
  for (const std::u16string query :
       {u"a", u"al", u"alp", u"alps", u"al", u"e", u"de", u"note c", u"zz", u"gamma"}) {
    slicedSearch.SetText(sliced, query);
    wholeSearch.SetText(whole, query);
    while (sliced.SearchUnfinished()) {
      slicedSearch.Continue(sliced);
      ++slices;
    }
    ExpectSameTrees("query " + std::string(query.begin(), query.end()));
  }
  EXPECT_GT(slices, 40);

  // Typed on, and back, before each walk ended: a narrower query goes on with what the
  // wider one found so far, a wider one starts over.
  for (const std::u16string typed : {u"d", u"de", u"del", u"delt", u"del", u"delta a", u"g"}) {
    for (const std::u16string& query : {typed.substr(0, 1), typed}) {
      slicedSearch.SetText(sliced, query);
      wholeSearch.SetText(whole, query);
      slicedSearch.Continue(sliced);
    }
    ASSERT_TRUE(sliced.SearchUnfinished()) << std::string(typed.begin(), typed.end());
    slicedSearch.Finish(sliced);
    ExpectSameTrees("typed on to " + std::string(typed.begin(), typed.end()));
  }

  // The store changed between two slices, with a rebuild (a copy) or not yet (a deletion):
  // the walk starts over, and ends as the other.
  for (const std::string change : {"a copy", "a deletion"}) {
    slicedSearch.SetText(sliced, u"a");
    wholeSearch.SetText(whole, u"a");
    ASSERT_TRUE(sliced.SearchUnfinished());
    slicedSearch.Continue(sliced);
    if (change == "a copy") {
      ASSERT_TRUE(driver.CopyText(u"alpha copied"));
    } else {
      const int clipId = (*std::next(sliced.Items().begin(), 3))->id;
      ASSERT_TRUE(sliced.DeleteItem(clipId));
      ASSERT_TRUE(whole.DeleteItem(clipId));
      whole.RebuildTree();
    }
    slicedSearch.Continue(sliced);
    slicedSearch.Finish(sliced);
    ExpectSameTrees(change + " during the walk");
    slicedSearch.End(sliced);
    wholeSearch.End(whole);
  }
  ExpectSameRows(slicedView, nullptr, wholeView, nullptr, "the search ended");
}

TEST_F(SearchSlicesTest, TheFirstSliceShowsWhatItFoundAndTheCountsGrowWithTheWalk) {
  const int category = AddCategory(0);
  for (int i = 0; i < 40; ++i) {
    Append(kHistoryCategoryId, i < 3 || i >= 37 ? u"alpha" : u"other");
  }
  Append(category, u"alpha in a category");
  Rebuild();
  slicedSearch.SetText(sliced, u"alpha");
  // The first slice has looked at the first seven clips.
  EXPECT_TRUE(sliced.SearchUnfinished());
  EXPECT_EQ(sliced.SearchMatches(), 3);
  ASSERT_NE(Category(sliced, kHistoryCategoryId), nullptr);
  EXPECT_EQ(Category(sliced, kHistoryCategoryId)->clipCount, 3u);
  EXPECT_EQ(Category(sliced, category), nullptr);  // nothing found in it yet
  EXPECT_EQ(slicedView.ChildRows(Category(sliced, kHistoryCategoryId)->treeNode).size(), 3u);
  TTreeNode* selected = slicedView.Selected();
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(static_cast<int>(NodeOf(slicedView, selected).id), sliced.Items().front()->id);

  slicedSearch.Finish(sliced);
  EXPECT_EQ(sliced.SearchMatches(), 7);
  EXPECT_EQ(Category(sliced, kHistoryCategoryId)->clipCount, 6u);
  ASSERT_NE(Category(sliced, category), nullptr);
  EXPECT_TRUE(slicedView.IsExpanded(Category(sliced, category)->treeNode));
  EXPECT_EQ(slicedView.Selected(), selected);
}

TEST_F(SearchSlicesTest, ASelectionTheUserMovedStaysAndHotKeysWorkMeanwhile) {
  for (int i = 0; i < 30; ++i) Append(kHistoryCategoryId, i < 10 ? u"other" : u"alpha");
  Append(kNotesCategoryId, u"alpha note");
  Rebuild();
  ASSERT_TRUE(sliced.SetItemHotKey(sliced.Items().back()->id, 0x0252));
  Rebuild();
  slicedSearch.SetText(sliced, u"alpha");
  EXPECT_EQ(slicedView.Selected(), nullptr);  // nothing found in the first seven
  // The key bound at the last walk that ended stays bound, its clip not walked yet.
  EXPECT_EQ(sliced.HotKeys().count(0x0252), 1u);

  slicedSearch.Continue(sliced);  // clips 8 to 14: the first found
  ASSERT_NE(slicedView.Selected(), nullptr);
  EXPECT_EQ(static_cast<int>(NodeOf(slicedView, slicedView.Selected()).id),
            (*std::next(sliced.Items().begin(), 10))->id);
  std::vector<TTreeNode*> rows =
      slicedView.ChildRows(Category(sliced, kHistoryCategoryId)->treeNode);
  ASSERT_EQ(rows.size(), 4u);
  slicedView.Select(rows[2]);  // the user moves on
  slicedSearch.Finish(sliced);
  EXPECT_EQ(slicedView.Selected(), rows[2]);
}

}  // namespace

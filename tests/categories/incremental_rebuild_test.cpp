// The rebuild that follows the store change by change, held against the full reconcile:
// two handlers go through the same captures, moves, deletes, puts and category edits, one
// rebuilt after each step as the program does, the other reconciled fully, and their trees
// must be the same row for row, with the same rows expanded and selected.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "categories/clipboard_handler.h"
#include "categories/recording_tree_view.h"
#include "store/image_item.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"

namespace {

constexpr std::size_t kPage = 3;

const CItemNode& NodeOf(const TCustomTreeView& view, TTreeNode* row) {
  return *static_cast<const CItemNode*>(view.RowData(row));
}

// Compares the rows below `rowA` and `rowB`, and below them, field by field.
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
    EXPECT_EQ(x.caption, y.caption) << here;
    EXPECT_EQ(x.clipCount, y.clipCount) << here;
    EXPECT_EQ(x.textLength, y.textLength) << here;
    EXPECT_EQ(x.isCategory, y.isCategory) << here;
    EXPECT_EQ(x.categoryId, y.categoryId) << here;
    EXPECT_EQ(x.inHistory, y.inHistory) << here;
    EXPECT_EQ(x.quickNumber, y.quickNumber) << here;
    EXPECT_EQ(x.hotKey, y.hotKey) << here;
    EXPECT_EQ(x.indent, y.indent) << here;
    EXPECT_EQ(x.skinRow, y.skinRow) << here;
    EXPECT_EQ(x.iconIndex, y.iconIndex) << here;
    EXPECT_EQ(x.thumbnail != nullptr, y.thumbnail != nullptr) << here;
    EXPECT_EQ(x.RowsBefore(), static_cast<int>(i)) << here;
    EXPECT_EQ(y.RowsBefore(), static_cast<int>(i)) << here;
    EXPECT_EQ(a.IsExpanded(rowsA[i]), b.IsExpanded(rowsB[i])) << here;
    EXPECT_EQ(a.Selected() == rowsA[i], b.Selected() == rowsB[i]) << here;
    ExpectSameRows(a, rowsA[i], b, rowsB[i], here);
  }
}

class IncrementalRebuildTest : public ::testing::Test {
 protected:
  IncrementalRebuildTest() {
    SetCapacity(8);
    // Pages small enough that captures, moves and deletes cross their boundaries.
    changing.SetRowPage(kPage);
    reference.SetRowPage(kPage);
    changing.AttachTree(&changingView, driver.OwnerWindow());
    reference.AttachTree(&referenceView, driver.OwnerWindow());
    // A copy reaches both; a clip put back reaches only the handler that put it.
    driver.OnChange([this] {
      for (CClipboardHandler* handler : capturing) handler->CaptureClipboard();
    });
    Rebuild();
  }
  ~IncrementalRebuildTest() override { driver.OnChange(nullptr); }

  void SetCapacity(int capacity) {
    changing.SetLimits({.capacity = capacity});
    reference.SetLimits({.capacity = capacity});
  }

  void Rebuild() {
    changing.RebuildTree();
    reference.RebuildTreeFully();
  }
  // The rows of each category are its sub-categories and the first pages of its clips, in
  // the mirror's order, and no more.
  static void ExpectRowsArePages(const CRecordingTreeView& view, CItemNode& root,
                                 const std::string& step) {
    std::vector<CItemNode*> pending{&root};
    while (!pending.empty()) {
      CItemNode& category = *pending.back();
      pending.pop_back();
      EXPECT_EQ(category.clipRowLimit % kPage, 0u) << step << " category " << category.id;
      const std::size_t rows =
          std::min(category.Order().size(), category.subCategories + category.clipRowLimit);
      std::vector<unsigned int> paged;
      for (std::size_t i = 0; i < rows; ++i) paged.push_back(category.Order()[i]->id);
      std::vector<unsigned int> held;
      for (TTreeNode* row : view.ChildRows(category.treeNode)) held.push_back(NodeOf(view, row).id);
      EXPECT_EQ(held, paged) << step << " category " << category.id;
      for (CItemNode* child : category.Order()) {
        if (child->isCategory) pending.push_back(child);
      }
    }
  }
  void ExpectSameTrees(const std::string& step) {
    ExpectSameRows(changingView, nullptr, referenceView, nullptr, step);
    ExpectRowsArePages(changingView, changing.Root(), step);
    ExpectRowsArePages(referenceView, reference.Root(), step);
    EXPECT_EQ(changing.HotKeys(), reference.HotKeys()) << step;
    ASSERT_EQ(changing.Items().size(), reference.Items().size()) << step;
    auto x = changing.Items().begin();
    for (auto y = reference.Items().begin(); y != reference.Items().end(); ++x, ++y) {
      EXPECT_EQ((*x)->orphaned, (*y)->orphaned) << step << " clip " << (*y)->id;
    }
    // The history's rows stand as its clips do in the list, which quick paste numbers and
    // the data file keeps.
    std::vector<unsigned int> listed;
    for (const auto& clip : changing.Items()) {
      if (clip->categoryId == kHistoryCategoryId) listed.push_back(static_cast<unsigned>(clip->id));
    }
    std::vector<unsigned int> shown;
    for (TTreeNode* row : changingView.ChildRows(changingView.ChildRows(nullptr).at(0))) {
      shown.push_back(NodeOf(changingView, row).id);
    }
    const std::size_t paged = changing.Root().Order().front()->clipRowLimit;
    if (listed.size() > paged) listed.resize(paged);
    EXPECT_EQ(shown, listed) << step;
  }
  // Runs `step` on each handler in turn, with its own captures only.
  template <typename Step>
  void OnBoth(Step step) {
    for (CClipboardHandler* handler : {&changing, &reference}) {
      capturing = {handler};
      step(*handler);
    }
    capturing = {&changing, &reference};
  }
  // The row of the node with that id in `view` (categories and clips one level down).
  static TTreeNode* FindRow(const CRecordingTreeView& view, unsigned int id) {
    std::vector<TTreeNode*> pending = view.ChildRows(nullptr);
    while (!pending.empty()) {
      TTreeNode* row = pending.back();
      pending.pop_back();
      if (NodeOf(view, row).id == id) return row;
      for (TTreeNode* child : view.ChildRows(row)) pending.push_back(child);
    }
    return nullptr;
  }

  CClipboardDriver driver;
  CRecordingTreeView changingView;
  CRecordingTreeView referenceView;
  CClipboardHandler changing;
  CClipboardHandler reference;
  std::vector<CClipboardHandler*> capturing{&changing, &reference};
};

TEST_F(IncrementalRebuildTest, AnySequenceOfChangesGivesTheTreeOfTheFullReconcile) {
  std::mt19937 random(20261209);
  auto pick = [&random](int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(random);
  };
  std::vector<int> categories;
  int copies = 0;
  for (int step = 0; step < 400; ++step) {
    const int action = pick(20);
    const auto& items = changing.Items();
    const int clipId =
        items.empty() ? 0 : (*std::next(items.begin(), pick(static_cast<int>(items.size()))))->id;
    const int categoryId =
        categories.empty()
            ? kNotesCategoryId
            : categories[static_cast<std::size_t>(pick(static_cast<int>(categories.size())))];
    std::string what;
    if (action < 5) {
      what = "copy";
      ASSERT_TRUE(driver.CopyText(u"copy " +
                                  std::u16string(1, static_cast<char16_t>(u'A' + copies++ % 26)) +
                                  std::u16string(static_cast<std::size_t>(pick(3)), u' ')));
    } else if (action == 5) {
      what = "copy a picture";
      ASSERT_TRUE(driver.CopyBitmap(TBitmap(30 + pick(20), 10, 24)));
    } else if (action == 6) {
      what = "move to notes";
      OnBoth([&](CClipboardHandler& h) { h.MoveItem(clipId, kNotesCategoryId); });
    } else if (action == 7) {
      what = "move to a category";
      OnBoth([&](CClipboardHandler& h) { h.MoveItem(clipId, categoryId); });
    } else if (action == 8) {
      what = "delete a clip";
      // As the Delete key does, with a step to undo; now and then with the clip above too.
      std::vector<int> ids{clipId};
      if (pick(2) == 0 && items.size() > 1) ids.push_back(items.front()->id);
      OnBoth([&](CClipboardHandler& h) { h.DeleteItems(ids); });
    } else if (action == 9) {
      what = "put a clip back";
      OnBoth([&](CClipboardHandler& h) { h.PutItemToClipboard(clipId); });
    } else if (action == 10) {
      what = "add a category";
      const int parent = pick(2) == 0 || categories.empty() ? 0 : categoryId;
      const int icon = pick(4);
      int added = 0;
      OnBoth([&](CClipboardHandler& h) {
        added = h.AddCategory(CCategory{0, parent, icon, 0, u"made"});
      });
      categories.push_back(added);
    } else if (action == 11 && !categories.empty()) {
      what = pick(3) == 0 ? "delete a category" : "edit a category";
      OnBoth([&](CClipboardHandler& h) {
        if (what[0] == 'd') {
          h.DeleteCategory(categoryId);
        } else if (CCategory* category = h.FindCategory(categoryId)) {
          CCategory edited = *category;
          edited.name = u"edited";
          h.UpdateCategory(categoryId, edited);
        }
      });
    } else if (action == 12) {
      what = "set a hot key";
      const auto code = static_cast<std::uint16_t>(pick(3) == 0 ? 0 : 0x4031 + pick(3));
      OnBoth([&](CClipboardHandler& h) { h.SetItemHotKey(clipId, code); });
    } else if (action == 13) {
      what = "clear a category";
      const int cleared = pick(2) == 0 ? kNotesCategoryId : categoryId;
      OnBoth([&](CClipboardHandler& h) { h.DeleteItemsOfCategory(cleared); });
    } else if (action == 14) {
      what = "append a clip";
      const int target = pick(2) == 0 ? kNotesCategoryId : categoryId;
      OnBoth([&](CClipboardHandler& h) {
        auto clip = std::make_unique<CTextItem>();
        clip->text = u"appended";
        clip->categoryId = target;
        h.AppendClip(std::move(clip));
      });
    } else if (action == 16) {
      what = "undo a deletion";
      OnBoth([&](CClipboardHandler& h) { h.UndoDeletion(); });
    } else if (action == 17) {
      what = "edit a text";
      const std::u16string text =
          u"edited " + std::u16string(1, static_cast<char16_t>(u'a' + pick(26)));
      OnBoth([&](CClipboardHandler& h) { h.ReplaceClipText(clipId, text); });
    } else if (action == 18) {
      what = "move into the history";
      OnBoth([&](CClipboardHandler& h) { h.MoveItem(clipId, kHistoryCategoryId); });
    } else if (action == 15 && pick(2) == 0) {
      what = "rows made through a clip";
      OnBoth([&](CClipboardHandler& h) { h.MakeRowsThrough(clipId); });
    } else {
      what = "expand and select";
      const unsigned int id =
          pick(2) == 0 ? static_cast<unsigned int>(clipId)
                       : static_cast<unsigned int>(pick(2) == 0 ? kHistoryCategoryId : categoryId);
      const bool expand = pick(2) == 0;
      const bool select = pick(2) == 0;
      for (CRecordingTreeView* view : {&changingView, &referenceView}) {
        if (TTreeNode* row = FindRow(*view, id)) {
          view->SetExpanded(row, expand);
          if (select) view->Select(row);
        }
      }
    }
    Rebuild();
    ExpectSameTrees("step " + std::to_string(step) + " (" + what + ")");
    if (HasFatalFailure()) return;
  }
}

TEST_F(IncrementalRebuildTest, CaptureAddsOneRowDeletesOneSortsNothingAndKeepsThePage) {
  SetCapacity(1000);
  for (int i = 0; i < 1000; ++i) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = u"history";
    clip->categoryId = kHistoryCategoryId;
    changing.AppendClip(std::move(clip));
  }
  changing.RebuildTree();
  const int added = changingView.RowsAdded();
  const int deleted = changingView.RowsDeleted();
  const int sorted = changingView.LevelsSorted();
  const int requests = changingView.Requests();
  capturing = {&changing};
  ASSERT_TRUE(driver.CopyText(u"new"));
  changing.RebuildTree();
  // The history keeps its page: the row pushed past it goes.
  EXPECT_EQ(changingView.ChildRows(changingView.ChildRows(nullptr)[0]).size(), kPage);
  EXPECT_EQ(changingView.RowsAdded() - added, 1);
  EXPECT_EQ(changingView.RowsDeleted() - deleted, 1);
  EXPECT_EQ(changingView.LevelsSorted() - sorted, 0);
  // A row in, a row out, the category's count and the ten numbers drawn again.
  EXPECT_LE(changingView.Requests() - requests, 16);
  EXPECT_EQ(
      NodeOf(changingView, changingView.ChildRows(changingView.ChildRows(nullptr)[0])[0]).caption,
      u"new");
}

TEST_F(IncrementalRebuildTest, CategoryChangesAndHotKeysReconcileFully) {
  changing.RebuildTree();
  int sorted = changingView.LevelsSorted();
  changing.AddCategory(CCategory{0, 0, 0, 0, u"new"});
  changing.RebuildTree();
  EXPECT_GT(changingView.LevelsSorted(), sorted);
  ASSERT_TRUE(driver.CopyText(u"some"));
  changing.RebuildTree();
  sorted = changingView.LevelsSorted();
  changing.SetItemHotKey(changing.Items().front()->id, 0x4031);
  changing.RebuildTree();
  EXPECT_GT(changingView.LevelsSorted(), sorted);
  EXPECT_EQ(changing.HotKeys().at(0x4031), static_cast<unsigned>(changing.Items().front()->id));
}

TEST_F(IncrementalRebuildTest, ACopyOfAnOlderClipMovesItsRowToTheTopWithItsHotKey) {
  for (const char16_t* text : {u"older", u"middle", u"newest"}) ASSERT_TRUE(driver.CopyText(text));
  OnBoth([](CClipboardHandler& handler) {
    handler.SetItemHotKey(handler.Items().back()->id, 0x4031);
  });
  Rebuild();
  ASSERT_TRUE(driver.CopyText(u"older"));
  Rebuild();
  ExpectSameTrees("after the copy");
  const std::vector<TTreeNode*> history =
      changingView.ChildRows(changingView.ChildRows(nullptr)[0]);
  ASSERT_EQ(history.size(), 3u);
  const CItemNode& top = NodeOf(changingView, history[0]);
  EXPECT_EQ(top.caption, u"older");
  EXPECT_EQ(top.quickNumber, 1);
  EXPECT_EQ(top.hotKey, 0x4031);
  EXPECT_EQ(changing.HotKeys().at(0x4031), top.id);
  EXPECT_EQ(NodeOf(changingView, history[2]).caption, u"middle");
}

}  // namespace

// Type-to-search over the clip tree: what the filtered mirror shows, which row is selected
// and unfolded, and the tree as it was once the search ends. Against the recording view
// natively and a real tree view under Wine.

#include "categories/tree_search.h"

#include <gtest/gtest.h>

#include "store/image_item.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/test_tree_view.h"

namespace {

class TreeSearchTest : public ::testing::Test {
 protected:
  TreeSearchTest() {
    handler.SetLimits({.capacity = 50});
    handler.AttachTree(view.get(), driver.OwnerWindow());
    driver.OnChange([this] {
      handler.CaptureClipboard();
      handler.RebuildTree();
    });
    work = handler.AddCategory(CCategory{0, 0, 0, 0, u"Work"});
    letters = handler.AddCategory(CCategory{0, work, 0, 0, u"Letters"});
    empty = handler.AddCategory(CCategory{0, 0, 0, 0, u"Empty"});
    Add(u"Invoice 4471 for March", kNotesCategoryId);
    Add(u"shopping: milk, tea", kNotesCategoryId);
    Add(u"Dear Sir, the invoice", letters);
    Add(u"Work notes", work);
    AddPicture();
    for (const auto* text : {u"alpha", u"Beta INVOICE", u"gamma"}) driver.CopyText(text);
    handler.RebuildTree();
  }
  ~TreeSearchTest() override { driver.OnChange(nullptr); }

  void Add(const std::u16string& text, int categoryId) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    clip->categoryId = categoryId;
    handler.AppendClip(std::move(clip));
  }
  void AddPicture() {
    auto clip = std::make_unique<CImageItem>();
    clip->SetPicture(TBitmap(8, 8, 24));
    clip->categoryId = kNotesCategoryId;
    handler.AppendClip(std::move(clip));
  }

  const CItemNode& Node(TTreeNode* row) const {
    return *static_cast<const CItemNode*>(view->RowData(row));
  }
  // Every row in view order, one line each: the caption indented by depth and, for a
  // category, its count; "<picture>" for a picture.
  std::vector<std::string> Rows(TTreeNode* parent = nullptr, const std::string& indent = "") const {
    std::vector<std::string> lines;
    for (TTreeNode* row : view->ChildRows(parent)) {
      const CItemNode& node = Node(row);
      std::string caption(node.caption.begin(), node.caption.end());
      if (!node.isCategory && node.thumbnail) caption = "<picture>";
      if (node.isCategory) caption += " #" + std::to_string(node.clipCount);
      lines.push_back(indent + caption);
      for (const std::string& below : Rows(row, indent + "  ")) lines.push_back(below);
    }
    return lines;
  }
  TTreeNode* RowCaptioned(const std::u16string& caption, TTreeNode* parent = nullptr) const {
    for (TTreeNode* row : view->ChildRows(parent)) {
      if (Node(row).caption == caption) return row;
      if (TTreeNode* below = RowCaptioned(caption, row)) return below;
    }
    return nullptr;
  }
  std::u16string SelectedCaption() const {
    TTreeNode* row = view->Selected();
    return row != nullptr ? Node(row).caption : u"<none>";
  }

  CClipboardDriver driver;
  std::unique_ptr<TCustomTreeView> view = MakeTestTreeView();
  CClipboardHandler handler;
  CTreeSearch search;
  int work = 0;
  int letters = 0;
  int empty = 0;
};

TEST_F(TreeSearchTest, AQueryShowsTheClipsItFindsInEveryCategoryWithTheirCounts) {
  search.SetText(handler, u"invoice");
  EXPECT_EQ(Rows(),
            (std::vector<std::string>{"Clipboard history #1", "  Beta INVOICE", "Quick notes #1",
                                      "  Invoice 4471 for March", "Work #1", "  Letters #1",
                                      "    Dear Sir, the invoice"}));
  EXPECT_EQ(handler.SearchMatches(), 3);
  EXPECT_TRUE(search.Filtering());
}

TEST_F(TreeSearchTest, CategoriesWithMatchesAreUnfoldedAndTheFirstMatchSelected) {
  search.SetText(handler, u"invoice");
  for (const auto* category : {u"Clipboard history", u"Quick notes", u"Work", u"Letters"}) {
    EXPECT_TRUE(view->IsExpanded(RowCaptioned(category))) << std::string(category, category + 4);
  }
  EXPECT_EQ(SelectedCaption(), u"Beta INVOICE");
  search.SetText(handler, u"dear");
  EXPECT_EQ(SelectedCaption(), u"Dear Sir, the invoice");
}

TEST_F(TreeSearchTest, NothingFoundLeavesTheTreeEmptyAndNoClipOrphaned) {
  search.SetText(handler, u"zebra");
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(handler.SearchMatches(), 0);
  EXPECT_EQ(view->Selected(), nullptr);
  for (const auto& clip : handler.Items()) EXPECT_FALSE(clip->orphaned);
}

TEST_F(TreeSearchTest, QuickNumbersKeepTheirUnfilteredPositions) {
  search.SetText(handler, u"a");  // not "Work notes"
  const CItemNode& gamma = Node(RowCaptioned(u"gamma"));
  const CItemNode& alpha = Node(RowCaptioned(u"alpha"));
  EXPECT_EQ(gamma.quickNumber, 1);
  EXPECT_EQ(alpha.quickNumber, 3);
  EXPECT_EQ(Node(RowCaptioned(u"shopping: milk, tea")).quickNumber, 2);
  EXPECT_EQ(RowCaptioned(u"Work notes"), nullptr);
}

TEST_F(TreeSearchTest, TypingOnNarrowsAndBackspaceFindsTheWiderSetAgain) {
  search.SetText(handler, u"inv");
  search.SetText(handler, u"invo");
  search.SetText(handler, u"invoice 44");
  EXPECT_EQ(handler.SearchMatches(), 1);
  search.SetText(handler, u"invoice 4");
  search.SetText(handler, u"invoice");
  EXPECT_EQ(handler.SearchMatches(), 3);
}

TEST_F(TreeSearchTest, AQueryTypedOnShowsWhatTheSameQueryShowsFromScratch) {
  const int beta = static_cast<int>(Node(RowCaptioned(u"Beta INVOICE")).id);
  ASSERT_TRUE(handler.SetItemHotKey(beta, 0x4042));
  handler.RebuildTree();
  for (const auto* text : {u"i", u"in", u"inv", u"invo", u"invoice"}) search.SetText(handler, text);
  const std::vector<std::string> typedOn = Rows();
  const int betaNumber = Node(RowCaptioned(u"Beta INVOICE")).quickNumber;
  const int notesNumber = Node(RowCaptioned(u"Invoice 4471 for March")).quickNumber;
  search.End(handler);
  search.SetText(handler, u"invoice");
  EXPECT_EQ(Rows(), typedOn);
  EXPECT_EQ(Node(RowCaptioned(u"Beta INVOICE")).quickNumber, betaNumber);
  EXPECT_EQ(Node(RowCaptioned(u"Invoice 4471 for March")).quickNumber, notesNumber);
  ASSERT_EQ(handler.HotKeys().count(0x4042), 1u);
  EXPECT_EQ(handler.HotKeys().at(0x4042), static_cast<unsigned int>(beta));
}

TEST_F(TreeSearchTest, AClipDeletedOrGivenAHotKeyDuringTheSearchCountsAtTheNextKey) {
  search.SetText(handler, u"inv");
  const int beta = static_cast<int>(Node(RowCaptioned(u"Beta INVOICE")).id);
  const int dear = static_cast<int>(Node(RowCaptioned(u"Dear Sir, the invoice")).id);
  ASSERT_TRUE(handler.DeleteItem(beta));
  ASSERT_TRUE(handler.SetItemHotKey(dear, 0x4043));
  search.SetText(handler, u"invo");
  EXPECT_EQ(RowCaptioned(u"Beta INVOICE"), nullptr);
  EXPECT_EQ(handler.SearchMatches(), 2);
  ASSERT_EQ(handler.HotKeys().count(0x4043), 1u);
  EXPECT_EQ(handler.HotKeys().at(0x4043), static_cast<unsigned int>(dear));
  search.SetText(handler, u"invoi");
  EXPECT_EQ(handler.SearchMatches(), 2);
  EXPECT_EQ(handler.HotKeys().count(0x4043), 1u);
}

TEST_F(TreeSearchTest, PicturesAreNeverFound) {
  search.SetText(handler, u"picture");
  EXPECT_EQ(handler.SearchMatches(), 0);
}

TEST_F(TreeSearchTest, ACaptureDuringTheSearchShowsTheNewClipOnlyWhenItMatches) {
  search.SetText(handler, u"invoice");
  driver.CopyText(u"not this one");
  EXPECT_EQ(handler.SearchMatches(), 3);
  driver.CopyText(u"one more invoice");
  EXPECT_EQ(handler.SearchMatches(), 4);
  EXPECT_NE(RowCaptioned(u"one more invoice"), nullptr);
  EXPECT_EQ(Node(RowCaptioned(u"Clipboard history")).clipCount, 2u);
  EXPECT_EQ(SelectedCaption(), u"Beta INVOICE");  // a capture does not move the selection
}

TEST_F(TreeSearchTest, TheEndShowsTheWholeTreeAsItWas) {
  view->SetExpanded(RowCaptioned(u"Quick notes"), true);
  view->Select(RowCaptioned(u"shopping: milk, tea"));
  const std::vector<std::string> before = Rows();
  search.SetText(handler, u"invoice");
  search.SetText(handler, u"zebra");
  search.End(handler);
  EXPECT_EQ(Rows(), before);
  EXPECT_FALSE(search.Filtering());
  EXPECT_TRUE(view->IsExpanded(RowCaptioned(u"Quick notes")));
  EXPECT_FALSE(view->IsExpanded(RowCaptioned(u"Clipboard history")));
  EXPECT_FALSE(view->IsExpanded(RowCaptioned(u"Work")));
  EXPECT_EQ(SelectedCaption(), u"shopping: milk, tea");
  EXPECT_NE(RowCaptioned(u"Empty"), nullptr);
}

TEST_F(TreeSearchTest, AnEmptyQueryEndsTheFilterAndTheNextOneRemembersAnew) {
  view->Select(RowCaptioned(u"gamma"));
  search.SetText(handler, u"dear");
  search.SetText(handler, u"  ");
  EXPECT_FALSE(search.Filtering());
  EXPECT_EQ(SelectedCaption(), u"gamma");
  EXPECT_EQ(handler.SearchMatches(), 0);
  search.SetText(handler, u"work");
  search.End(handler);
  EXPECT_EQ(SelectedCaption(), u"gamma");
}

// The fixture's texts are ASCII, searched as they are kept; any other is folded as it comes.
TEST_F(TreeSearchTest, TextsAreFoldedAsClipsArriveNotAtTheFirstKey) {
  EXPECT_EQ(handler.SearchCache().FoldedTexts(), 0u);
  driver.CopyText(u"d\u00e9lta");
  driver.CopyText(u"\u00e9psilon");
  EXPECT_EQ(handler.SearchCache().FoldedTexts(), 2u);
  search.SetText(handler, u"invoice");
  search.End(handler);
  EXPECT_EQ(handler.SearchCache().FoldedTexts(), 2u);
  ASSERT_TRUE(handler.DeleteItem(static_cast<int>(Node(RowCaptioned(u"\u00e9psilon")).id)));
  EXPECT_EQ(handler.SearchCache().FoldedTexts(), 1u);
  search.SetText(handler, u"delta");
  EXPECT_EQ(handler.SearchMatches(), 1);
}

TEST_F(TreeSearchTest, ALoadFindsTheLoadedTextsAndLetsGoOfThoseItReplaced) {
  CClipboardHandler other;
  auto loaded = std::make_unique<CTextItem>();
  loaded->ReplaceText(u"loaded \u00efnvoice");
  loaded->categoryId = kNotesCategoryId;
  other.AppendClip(std::move(loaded));
  driver.CopyText(u"d\u00e9lta");  // replaced by the load
  handler.LoadFromMemory(other.SaveToMemory());
  handler.RebuildTree();
  EXPECT_EQ(handler.SearchCache().FoldedTexts(), 1u);
  search.SetText(handler, u"invoice");
  EXPECT_EQ(handler.SearchMatches(), 1);
}

TEST_F(TreeSearchTest, HotKeysStayThoseOfAllClips) {
  const int alpha = static_cast<int>(Node(RowCaptioned(u"alpha")).id);
  ASSERT_TRUE(handler.SetItemHotKey(alpha, 0x4041));
  handler.RebuildTree();
  search.SetText(handler, u"gamma");
  EXPECT_EQ(RowCaptioned(u"alpha"), nullptr);
  ASSERT_EQ(handler.HotKeys().count(0x4041), 1u);
  EXPECT_EQ(handler.HotKeys().at(0x4041), static_cast<unsigned int>(alpha));
}

}  // namespace

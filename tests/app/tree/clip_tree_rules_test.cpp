// The clip tree's menu states, drop rules, node search and questions.

#include "app/tree/clip_tree_rules.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "store/base_item.h"

namespace {

// The mirror's nodes cannot be copied, so each comes on the heap.
std::unique_ptr<CItemNode> Category(unsigned id) {
  auto category = std::make_unique<CItemNode>();
  category->isCategory = true;
  category->id = category->categoryId = id;
  return category;
}

std::unique_ptr<CItemNode> ClipNode(unsigned id, unsigned categoryId) {
  auto clip = std::make_unique<CItemNode>();
  clip->id = id;
  clip->categoryId = categoryId;
  clip->inHistory = categoryId == kHistoryCategoryId;
  return clip;
}

// Puts `child` below `parent`, under its id, as the mirror keeps it.
CItemNode* Adopt(CItemNode& parent, std::unique_ptr<CItemNode> child) {
  child->parent = &parent;
  CItemNode* adopted = child.get();
  parent.children[child->id] = std::move(child);
  return adopted;
}

TEST(ClipTreeMenuRulesTest, HistoryClipsMoveAndNotesCopy) {
  const ClipboardMenuState history = ClipboardMenuFor(*ClipNode(100000, kHistoryCategoryId));
  EXPECT_EQ(history.moveCaption, u"Move to clipboard");
  EXPECT_TRUE(history.moveToNotesVisible);
  EXPECT_FALSE(history.setHotKeyVisible);
  const ClipboardMenuState note = ClipboardMenuFor(*ClipNode(100001, kNotesCategoryId));
  EXPECT_EQ(note.moveCaption, u"Copy to clipboard");
  EXPECT_FALSE(note.moveToNotesVisible);
  EXPECT_TRUE(note.setHotKeyVisible);
}

TEST(ClipTreeMenuRulesTest, PlainTextIsOfferedForTextsAndFileListsNotPictures) {
  auto clip = ClipNode(100000, kHistoryCategoryId);
  for (int kind : {kTextKind, kFileListKind, kPictureKind}) {
    clip->clipKind = kind;
    EXPECT_EQ(ClipboardMenuFor(*clip).plainTextVisible, kind != kPictureKind) << kind;
  }
}

TEST(ClipTreeMenuRulesTest, BuiltInCategoriesCannotBeEditedAndChildrenGetNoChildren) {
  for (unsigned builtIn : {10u, 11u}) {
    const CategoryMenuState state = CategoryMenuFor(*Category(builtIn), false);
    EXPECT_FALSE(state.addChildEnabled || state.editEnabled || state.deleteEnabled) << builtIn;
  }
  const CategoryMenuState top = CategoryMenuFor(*Category(1001), false);
  EXPECT_TRUE(top.addChildEnabled && top.editEnabled && top.deleteEnabled);
  const CategoryMenuState child = CategoryMenuFor(*Category(1002), true);
  EXPECT_FALSE(child.addChildEnabled);
  EXPECT_TRUE(child.editEnabled && child.deleteEnabled);
}

TEST(ClipTreeMenuRulesTest, DeleteQuestionQuotesTheNameExactly) {
  EXPECT_EQ(DeleteCategoryQuestion(u"Späße \"x\""), u"Delete category \"Späße \"x\"\"?");
  EXPECT_EQ(DeleteCategoryQuestion(u""), u"Delete category \"\"?");
}

TEST(ClipTreeMenuRulesTest, ClearQuestionNamesTheCategoryOnALineOfItsOwn) {
  EXPECT_EQ(ClearQuestion(u"Clipboard history"),
            u"Delete all items?\nAll clips of \"Clipboard history\" will be deleted.");
  EXPECT_EQ(ClearQuestion(u"Späße"), u"Delete all items?\nAll clips of \"Späße\" will be deleted.");
}

TEST(ClipTreeDropRulesTest, ANoteDroppedOnTheHistoryIsCopiedAHistoryClipMoved) {
  const auto note = ClipNode(100001, kNotesCategoryId);
  const auto historyClip = ClipNode(100002, kHistoryCategoryId);
  const auto history = Category(kHistoryCategoryId);
  const auto user = Category(1001);
  EXPECT_EQ(DecideDrop(note.get(), history.get(), false, false),
            (DropDecision{EDropAction::kCopyToClipboard, kHistoryCategoryId}));
  // A clip row stands for its category.
  EXPECT_EQ(DecideDrop(note.get(), historyClip.get(), false, false),
            (DropDecision{EDropAction::kCopyToClipboard, kHistoryCategoryId}));
  EXPECT_EQ(DecideDrop(historyClip.get(), user.get(), false, false),
            (DropDecision{EDropAction::kMove, 1001}));
  EXPECT_EQ(DecideDrop(historyClip.get(), note.get(), false, false),
            (DropDecision{EDropAction::kMove, kNotesCategoryId}));
}

TEST(ClipTreeDropRulesTest, NothingHappensOnItselfOnAnIndentOrOutsideTheTree) {
  const auto clip = ClipNode(100001, kNotesCategoryId);
  const auto user = Category(1001);
  EXPECT_EQ(DecideDrop(clip.get(), clip.get(), true, false).action, EDropAction::kNone);
  EXPECT_EQ(DecideDrop(clip.get(), user.get(), false, true).action, EDropAction::kNone);
  EXPECT_EQ(DecideDrop(clip.get(), nullptr, false, false).action, EDropAction::kNone);
  EXPECT_EQ(DecideDrop(user.get(), clip.get(), false, false).action, EDropAction::kNone);
}

TEST(ClipTreeNodeSearchTest, FindsAClipInANestedCategoryButNeverACategoryOfItsId) {
  const auto root = Category(0);
  CItemNode* user = Adopt(*root, Category(1001));
  CItemNode* inner = Adopt(*user, Category(1002));
  // A damaged file can give a clip an id in the range of category ids.
  CItemNode* clip = Adopt(*inner, ClipNode(1001, 1002));
  CItemNode* note =
      Adopt(*Adopt(*root, Category(kNotesCategoryId)), ClipNode(100003, kNotesCategoryId));
  EXPECT_EQ(FindClipNode(*root, 1001), clip);
  EXPECT_EQ(FindClipNode(*root, 100003), note);
  EXPECT_EQ(FindClipNode(*root, 1002), nullptr);
  EXPECT_EQ(FindClipNode(*root, 100004), nullptr);
}

TEST(ClipTreeNodeSearchTest, ReachesAClipBelowCategoriesNestedThousandsDeep) {
  const auto root = Category(0);
  CItemNode* level = root.get();
  for (unsigned depth = 0; depth < 100000; ++depth) level = Adopt(*level, Category(1001 + depth));
  CItemNode* clip = Adopt(*level, ClipNode(500000, level->id));
  EXPECT_EQ(FindClipNode(*root, 500000), clip);
}

}  // namespace

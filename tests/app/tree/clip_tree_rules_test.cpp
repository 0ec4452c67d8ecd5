// The clip tree's menu states, drop rules and questions.

#include "app/tree/clip_tree_rules.h"

#include <gtest/gtest.h>

#include <memory>

#include "store/base_item.h"

namespace {

// The mirror's nodes cannot be copied, so each comes on the heap.
std::unique_ptr<CItemNode> Category(unsigned id) {
  auto category = std::make_unique<CItemNode>();
  category->isCategory = true;
  category->id = category->categoryId = id;
  return category;
}

std::unique_ptr<CItemNode> Clip(unsigned id, unsigned categoryId) {
  auto clip = std::make_unique<CItemNode>();
  clip->id = id;
  clip->categoryId = categoryId;
  clip->inHistory = categoryId == kHistoryCategoryId;
  return clip;
}

TEST(ClipTreeMenuRulesTest, HistoryClipsMoveAndNotesCopy) {
  const ClipboardMenuState history = ClipboardMenuFor(*Clip(100000, kHistoryCategoryId));
  EXPECT_EQ(history.moveCaption, u"Move to clipboard");
  EXPECT_TRUE(history.moveToNotesVisible);
  EXPECT_FALSE(history.setHotKeyVisible);
  const ClipboardMenuState note = ClipboardMenuFor(*Clip(100001, kNotesCategoryId));
  EXPECT_EQ(note.moveCaption, u"Copy to clipboard");
  EXPECT_FALSE(note.moveToNotesVisible);
  EXPECT_TRUE(note.setHotKeyVisible);
}

TEST(ClipTreeMenuRulesTest, PlainTextIsOfferedForTextsAndFileListsNotPictures) {
  auto clip = Clip(100000, kHistoryCategoryId);
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

TEST(ClipTreeDropRulesTest, ANoteDroppedOnTheHistoryIsCopiedAHistoryClipMoved) {
  const auto note = Clip(100001, kNotesCategoryId);
  const auto historyClip = Clip(100002, kHistoryCategoryId);
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
  const auto clip = Clip(100001, kNotesCategoryId);
  const auto user = Category(1001);
  EXPECT_EQ(DecideDrop(clip.get(), clip.get(), true, false).action, EDropAction::kNone);
  EXPECT_EQ(DecideDrop(clip.get(), user.get(), false, true).action, EDropAction::kNone);
  EXPECT_EQ(DecideDrop(clip.get(), nullptr, false, false).action, EDropAction::kNone);
  EXPECT_EQ(DecideDrop(user.get(), clip.get(), false, false).action, EDropAction::kNone);
}

}  // namespace

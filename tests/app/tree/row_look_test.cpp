// How clip tree rows look, from the node and the row's state.

#include "app/tree/row_look.h"

#include <gtest/gtest.h>

#include <memory>

#include "store/base_item.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 26;
// The light look's colours, which a state without a palette draws in.
const RowColours kLight{};

RowState State(int precedingSiblings = 0, int quickPasteMode = 1, bool selected = false) {
  RowState state;
  state.selected = selected;
  state.hasParent = true;
  state.precedingSiblings = precedingSiblings;
  state.quickPasteMode = quickPasteMode;
  state.width = kWidth;
  state.height = kHeight;
  return state;
}

// The mirror's nodes cannot be copied, so each comes on the heap.
std::unique_ptr<CItemNode> Clip(int categoryId, int quickNumber, int indent = 2) {
  auto clip = std::make_unique<CItemNode>();
  clip->categoryId = static_cast<unsigned>(categoryId);
  clip->inHistory = categoryId == kHistoryCategoryId;
  clip->quickNumber = quickNumber;
  clip->indent = indent;
  return clip;
}

TEST(ClipRowLookTest, BackgroundAlternatesWithPrecedingSiblingsAndTakesTheSelectionsWhenSelected) {
  const auto clip = Clip(kHistoryCategoryId, 1);
  EXPECT_EQ(ClipRowLookFor(*clip, State(0)).background, 0xFFFFFFu);
  EXPECT_EQ(ClipRowLookFor(*clip, State(1)).background, 0xF0F0F0u);
  EXPECT_EQ(ClipRowLookFor(*clip, State(2)).background, 0xFFFFFFu);
  EXPECT_EQ(ClipRowLookFor(*clip, State(1, 1, true)).background, kLight.selectedClipBackground);
}

TEST(ClipRowLookTest, BadgeNamesTheModifierByModeAndCategory) {
  const auto history = Clip(kHistoryCategoryId, 3);
  const auto note = Clip(kNotesCategoryId, 3);
  EXPECT_EQ(ClipRowLookFor(*history, State(0, 1)).badge->modifier, u"Ctrl");
  EXPECT_EQ(ClipRowLookFor(*note, State(0, 1)).badge->modifier, u"Alt");
  EXPECT_EQ(ClipRowLookFor(*history, State(0, 2)).badge->modifier, u"Alt");
  EXPECT_EQ(ClipRowLookFor(*note, State(0, 2)).badge->modifier, u"Ctrl");
  EXPECT_EQ(ClipRowLookFor(*history, State(0, 1)).badge->digit, u"3");
  EXPECT_EQ(ClipRowLookFor(*Clip(kHistoryCategoryId, 10), State()).badge->digit, u"0");
  EXPECT_EQ(ClipRowLookFor(*history, State()).badge->colour, kLight.badge);
  EXPECT_EQ(ClipRowLookFor(*history, State(0, 1, true)).badge->colour, kLight.selectedBadge);
}

TEST(ClipRowLookTest, NoBadgeWithoutQuickPasteOrBeyondTheTenthClip) {
  const ClipRowLook modeOff = ClipRowLookFor(*Clip(kHistoryCategoryId, 1), State(0, 0));
  EXPECT_FALSE(modeOff.badge);
  EXPECT_EQ(modeOff.contentLeft, 2);
  EXPECT_EQ(modeOff.textRect.left, 2);
  EXPECT_FALSE(ClipRowLookFor(*Clip(kHistoryCategoryId, 11), State()).badge);
  EXPECT_FALSE(ClipRowLookFor(*Clip(1001, 21, 18), State()).badge);
  EXPECT_EQ(ClipRowLookFor(*Clip(kNotesCategoryId, 1), State()).contentLeft, 22);
}

TEST(ClipRowLookTest, HotKeyMarkNarrowsTheTextToSixteenPixelsFromTheRight) {
  const auto clip = Clip(kNotesCategoryId, 1);
  const ClipRowLook plain = ClipRowLookFor(*clip, State());
  EXPECT_FALSE(plain.hotKeyMark);
  EXPECT_EQ(plain.textRect, (RowRect{22, -1, kWidth - 2, kHeight}));
  clip->hotKey = 0xC041;
  const ClipRowLook marked = ClipRowLookFor(*clip, State());
  EXPECT_TRUE(marked.hotKeyMark);
  EXPECT_EQ(marked.hotKeyMarkLeft, kWidth - 16);
  EXPECT_EQ(marked.textRect.right, kWidth - 16);
  EXPECT_EQ(marked.separatorTop, kHeight - 1);
}

TEST(ClipRowLookTest, AFileListShowsItsIconWhereTheTextBeganAndTheTextAfterIt) {
  const auto clip = Clip(kNotesCategoryId, 1);
  const ClipRowLook text = ClipRowLookFor(*clip, State());
  EXPECT_FALSE(text.fileIcon);
  clip->clipKind = kFileListKind;
  const ClipRowLook files = ClipRowLookFor(*clip, State());
  EXPECT_TRUE(files.fileIcon);
  EXPECT_EQ(files.fileIconLeft, text.contentLeft);
  EXPECT_EQ(files.textRect.left, text.textRect.left + kFileIconWidth);
}

TEST(ClipRowLookTest, ClipsOfChildCategoriesAreGreyUnlessSelected) {
  EXPECT_EQ(ClipRowLookFor(*Clip(kNotesCategoryId, 1, 2), State()).textColour, 0x000000u);
  EXPECT_EQ(ClipRowLookFor(*Clip(1002, 21, 18), State()).textColour, kLight.childClipText);
  EXPECT_EQ(ClipRowLookFor(*Clip(1002, 21, 18), State(0, 1, true)).textColour, 0xFFFFFFu);
}

TEST(CategoryRowLookTest, StripeNameAndCountFollowLevelAndSelection) {
  CItemNode history;
  history.isCategory = true;
  history.skinRow = 0;
  history.indent = 2;
  history.clipCount = 12;
  RowState top = State();
  top.hasParent = false;
  const CategoryRowLook look = CategoryRowLookFor(history, top);
  EXPECT_EQ(look.stripe, 0);
  EXPECT_TRUE(look.bold);
  EXPECT_EQ(look.nameLeft, 22);
  EXPECT_EQ(look.countText, u"#12");
  EXPECT_EQ(look.countColour, kLight.categoryCount);

  CItemNode child;
  child.isCategory = true;
  child.skinRow = 1;
  child.indent = 16;
  const CategoryRowLook childLook = CategoryRowLookFor(child, State());
  EXPECT_EQ(childLook.stripe, 2);
  EXPECT_FALSE(childLook.bold);
  EXPECT_EQ(childLook.countText, u"#0");
  const CategoryRowLook selected = CategoryRowLookFor(child, State(0, 1, true));
  EXPECT_EQ(selected.stripe, 3);
  EXPECT_EQ(selected.nameColour, kLight.selectedCategoryName);
  EXPECT_EQ(selected.countColour, kLight.selectedCategoryCount);
}

TEST(RowDpiTest, TheRowHeightIsTruncatedFrom25AndOnePixel) {
  EXPECT_EQ(RowHeightAtDpi(96), 26);
  EXPECT_EQ(RowHeightAtDpi(120), 32);  // 32.25
  EXPECT_EQ(RowHeightAtDpi(144), 38);  // 38.5
  EXPECT_EQ(RowHeightAtDpi(192), 51);
  EXPECT_EQ(RowHeightAtDpi(0), 26);
}

TEST(RowDpiTest, AClipRowsPlacesScaleWithTheDpi) {
  const auto clip = Clip(kHistoryCategoryId, 2);
  clip->hotKey = 0x4041;
  RowState at144 = State();
  at144.dpi = 144;
  at144.width = 300;
  at144.height = RowHeightAtDpi(144);
  const ClipRowLook look = ClipRowLookFor(*clip, at144);
  EXPECT_EQ(look.contentLeft, 3 + 30);  // the indent and the badge
  EXPECT_EQ(look.badge->modifierAt, (RowPoint{2, -2}));
  EXPECT_EQ(look.badge->digitAt, (RowPoint{6, 14}));
  EXPECT_EQ(look.hotKeyMarkLeft, 300 - 24);
  EXPECT_EQ(look.hotKeyMarkTop, 8);
  EXPECT_EQ(look.thumbnailTop, 2);
  EXPECT_EQ(look.textRect, (RowRect{33, -2, 276, 38}));
  EXPECT_EQ(look.separatorTop, 37);

  RowState at192 = at144;
  at192.dpi = 192;
  EXPECT_EQ(ClipRowLookFor(*clip, at192).contentLeft, 4 + 40);
  EXPECT_EQ(ClipRowLookFor(*clip, State()).contentLeft, 2 + 20);
}

TEST(RowDpiTest, ACategoryRowsPlacesScaleWithTheDpi) {
  CItemNode child;
  child.isCategory = true;
  child.indent = 16;
  RowState at192 = State();
  at192.dpi = 192;
  const CategoryRowLook look = CategoryRowLookFor(child, at192);
  EXPECT_EQ(look.iconLeft, 32);
  EXPECT_EQ(look.iconTop, 10);
  EXPECT_EQ(look.nameLeft, 72);
  EXPECT_EQ(look.textTop, 8);
  EXPECT_EQ(CountLeft(look, 400, 30), 400 - 30 - 4);
}

}  // namespace

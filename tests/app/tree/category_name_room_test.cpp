// The room a category row's name has beside its count.

#include <gtest/gtest.h>

#include "app/tree/row_look.h"

namespace {

CategoryRowLook HistoryRowLook(int clipCount) {
  CItemNode history;
  history.isCategory = true;
  history.clipCount = clipCount;
  RowState state;
  state.width = 200;
  state.height = 26;
  return CategoryRowLookFor(history, state);
}

TEST(CategoryNameRoomTest, TheNameEndsAMarginBeforeTheCountHoweverWideItIs) {
  const CategoryRowLook look = HistoryRowLook(10000);
  EXPECT_EQ(look.countText, u"#10000");
  // "#10000" about 60 pixels wide at the row's right edge.
  const int countLeft = CountLeft(look, 200, 60);
  EXPECT_EQ(CategoryNameRight(look, countLeft), countLeft - look.countRightMargin);
  EXPECT_LT(CategoryNameRight(look, countLeft), countLeft);
}

TEST(CategoryNameRoomTest, ARowTooNarrowForTheCountLeavesTheNameNoRoomRatherThanLessThanNone) {
  const CategoryRowLook look = HistoryRowLook(99999);
  const int countLeft = CountLeft(look, 40, 60);
  EXPECT_EQ(CategoryNameRight(look, countLeft), look.nameLeft);
}

}  // namespace

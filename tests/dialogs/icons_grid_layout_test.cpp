// The icon grid's geometry: one row of 20-pixel cells, scrolled by whole columns.

#include "dialogs/icons_grid_layout.h"

#include <gtest/gtest.h>

namespace {

// 30 icons in the editor's grid at 96 dots per inch: 253 client pixels hold 12 whole cells.
const CIconsGridLayout kThirty(30, 20, 253);

TEST(IconsGridLayoutTest, ThirtyIconsGiveThirtyColumnsAndScrollToTheLastOnes) {
  EXPECT_EQ(kThirty.Columns(), 30);
  EXPECT_EQ(kThirty.FullyVisibleColumns(), 12);
  EXPECT_EQ(kThirty.MaxFirstColumn(), 18);
  EXPECT_EQ(kThirty.FirstColumnShowing(29, 0), 18);
  EXPECT_EQ(kThirty.CellLeft(29, 18), 220);
}

TEST(IconsGridLayoutTest, ScrollingShowsASelectedCellMovingAsLittleAsPossible) {
  EXPECT_EQ(kThirty.FirstColumnShowing(5, 0), 0);
  EXPECT_EQ(kThirty.FirstColumnShowing(12, 0), 1);
  EXPECT_EQ(kThirty.FirstColumnShowing(3, 10), 3);
  EXPECT_EQ(kThirty.FirstColumnShowing(-1, 7), 7);
}

TEST(IconsGridLayoutTest, OnlyWholeCellsAreDrawnSoTheLastIconShownIsNeverCut) {
  // 253 pixels: 12 whole cells and 13 pixels, which stay empty rather than show a cut icon.
  EXPECT_EQ(kThirty.DrawnColumnsEnd(0), 12);
  EXPECT_EQ(kThirty.ColumnAt(245, 0), -1);
  // Scrolled to the end, the last icon is the last cell drawn.
  EXPECT_EQ(kThirty.DrawnColumnsEnd(kThirty.MaxFirstColumn()), 30);
  EXPECT_EQ(CIconsGridLayout(3, 20, 253).DrawnColumnsEnd(0), 3);
}

TEST(IconsGridLayoutTest, AClickHitsTheColumnUnderItOrNone) {
  EXPECT_EQ(kThirty.ColumnAt(0, 0), 0);
  EXPECT_EQ(kThirty.ColumnAt(19, 0), 0);
  EXPECT_EQ(kThirty.ColumnAt(20, 0), 1);
  EXPECT_EQ(kThirty.ColumnAt(45, 18), 20);
  EXPECT_EQ(kThirty.ColumnAt(-1, 0), -1);
  EXPECT_EQ(CIconsGridLayout(3, 20, 253).ColumnAt(70, 0), -1);
}

TEST(IconsGridLayoutTest, FewIconsNeverScroll) {
  const CIconsGridLayout few(5, 20, 253);
  EXPECT_EQ(few.FullyVisibleColumns(), 5);
  EXPECT_EQ(few.MaxFirstColumn(), 0);
  EXPECT_EQ(few.ClampFirstColumn(3), 0);
  EXPECT_EQ(CIconsGridLayout(0, 20, 253).MaxFirstColumn(), 0);
}

TEST(IconsGridLayoutTest, ANarrowGridStillShowsOneColumn) {
  const CIconsGridLayout narrow(30, 20, 10);
  EXPECT_EQ(narrow.FullyVisibleColumns(), 1);
  EXPECT_EQ(narrow.MaxFirstColumn(), 29);
}

}  // namespace

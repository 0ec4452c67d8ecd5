// The quick numbers that one walk over the clips hands out, run by run.

#include <gtest/gtest.h>

#include <vector>

#include "categories/quick_numbers.h"
#include "store/base_item.h"

namespace {

constexpr int kWork = 1001;
constexpr int kHome = 1002;

TEST(QuickNumberingTest, HistoryNumbersStopAfterTheTenthClip) {
  CQuickNumbering numbering;
  std::vector<int> numbers;
  for (int i = 0; i < 12; ++i) numbers.push_back(numbering.Next(kHistoryCategoryId));
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0}));
}

TEST(QuickNumberingTest, EachRunCountsOnItsOwnWhateverComesBetween) {
  CQuickNumbering numbering;
  EXPECT_EQ(numbering.Next(kNotesCategoryId), 1);
  EXPECT_EQ(numbering.Next(kHistoryCategoryId), 1);
  EXPECT_EQ(numbering.Next(kWork), kFirstOtherQuickNumber);
  EXPECT_EQ(numbering.Next(kNotesCategoryId), 2);
  // All user categories share one run.
  EXPECT_EQ(numbering.Next(kHome), kFirstOtherQuickNumber + 1);
  EXPECT_EQ(numbering.Next(kHistoryCategoryId), 2);
}

TEST(QuickNumberingTest, OtherClipsCountsOnlyClipsOfUserCategories) {
  CQuickNumbering numbering;
  EXPECT_EQ(numbering.OtherClips(), 0);
  numbering.Next(kHistoryCategoryId);
  numbering.Next(kNotesCategoryId);
  numbering.Next(kWork);
  numbering.Next(kHome);
  EXPECT_EQ(numbering.OtherClips(), 2);
}

}  // namespace

// What only the model can show: its control of keys and time, and that the program's
// handles are neither leaked nor misused (Windows would not say).

#include <gtest/gtest.h>

#include "foundation/day_count.h"
#include "platform/sim/sim_control.h"
#include "tests/support/store_fixture.h"

namespace {

TEST(SimKeysTest, HeldKeysReadNegativeAndSidesHoldTheGenericModifier) {
  sim::Reset();
  sim::SetKeyDown('A', true);
  sim::SetKeyDown(VK_RSHIFT, true);
  EXPECT_LT(GetKeyState('A'), 0);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetKeyState('B'), 0);
  sim::SetKeyDown(VK_RSHIFT, false);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  sim::ReleaseAllKeys();
  EXPECT_GE(GetKeyState('A'), 0);
}

TEST(SimClockTest, SleepAdvancesTheTickCountAndAFixedLocalTime) {
  sim::Reset();
  SYSTEMTIME fixed{};
  fixed.wYear = 2026;
  fixed.wMonth = 12;
  fixed.wDay = 31;
  fixed.wHour = 23;
  fixed.wMinute = 59;
  fixed.wSecond = 59;
  fixed.wMilliseconds = 900;
  sim::SetLocalTime(fixed);
  const DWORD start = GetTickCount();
  Sleep(150);
  EXPECT_EQ(GetTickCount() - start, 150u);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(now.wYear, 2027);
  EXPECT_EQ(now.wMonth, 1);
  EXPECT_EQ(now.wDay, 1);
  EXPECT_EQ(now.wMilliseconds, 50);
}

TEST(SimHandlesTest, FreeingABlockTheClipboardOwnsIsAMisuse) {
  CClipboardDriver driver;
  ASSERT_TRUE(driver.CopyText(u"x"));
  ASSERT_TRUE(OpenClipboard(driver.OwnerWindow()));
  HANDLE owned = GetClipboardData(CF_UNICODETEXT);
  CloseClipboard();
  EXPECT_EQ(GlobalFree(owned), owned);
  EXPECT_EQ(sim::HandleMisuses().size(), 1u);
}

class SimOwnershipTest : public StoreTest {};

TEST_F(SimOwnershipTest, CapturesAndPutsLeakNothingAndMisuseNothing) {
  const std::size_t blocks = sim::LiveGlobalBlocks();
  const std::size_t bitmaps = sim::LiveBitmaps();
  CopyTexts(NumberedTexts(15));
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(4, 4, 24)));
  ASSERT_TRUE(store.PutNthItemToClipboard(0, kHistoryCategoryId));  // the picture
  ASSERT_TRUE(store.PutNthItemToClipboard(5, kHistoryCategoryId));  // a text
  CClipboardDriver::FailNextAllocations(1);
  EXPECT_FALSE(store.PutNthItemToClipboard(3, kHistoryCategoryId));
  store.DeleteItemsOfCategory(kHistoryCategoryId);
  driver.Clear();
  EXPECT_EQ(sim::LiveGlobalBlocks(), blocks);
  EXPECT_EQ(sim::LiveBitmaps(), bitmaps);
  EXPECT_TRUE(sim::HandleMisuses().empty());
}

}  // namespace

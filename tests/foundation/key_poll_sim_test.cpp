// The poller's shortcut, which only the model can show: how often it asks for key states,
// and key state that changes without input.

#include <gtest/gtest.h>

#include "foundation/key_combination.h"
#include "platform/sim/sim_control.h"

namespace {

// One timer tick of the program: 10 ms pass, then the combination is read.
class KeyPollTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::Reset(); }

  KeyCombination Tick() {
    Sleep(10);
    const KeyCombination polled = poller.Read();
    EXPECT_EQ(polled, ScanKeyCombinationUncounted());
    return polled;
  }

  // Ticks until the poller has settled after the last input.
  void Settle() {
    for (DWORD waited = 0; waited <= 2 * CKeyCombinationPoller::kSettleMilliseconds; waited += 10) {
      Tick();
    }
  }

  // Queries made by the poller alone, without the checking scans.
  std::uint64_t PollerQueries() const { return sim::KeyStateQueries() - checkQueries; }

  KeyCombination ScanKeyCombinationUncounted() {
    const std::uint64_t before = sim::KeyStateQueries();
    const KeyCombination scanned = ScanKeyCombination();
    checkQueries += sim::KeyStateQueries() - before;
    return scanned;
  }

  CKeyCombinationPoller poller;
  std::uint64_t checkQueries = 0;
};

TEST_F(KeyPollTest, WithoutInputTheKeysAreNotAskedFor) {
  Settle();
  const std::uint64_t before = PollerQueries();
  for (int i = 0; i < 50; ++i) EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(PollerQueries(), before);
}

TEST_F(KeyPollTest, InputMakesTheNextTickScan) {
  Settle();
  sim::SetKeyDown(VK_CONTROL, true);
  sim::SetKeyDown('V', true);
  EXPECT_EQ(Tick(), 0x4056);
  sim::ReleaseAllKeys();
  sim::SetKeyDown('V', false);  // the release is input too
  EXPECT_EQ(Tick(), 0);
}

TEST_F(KeyPollTest, InputStampedInTheTickOfTheLastScanIsNotMissed) {
  sim::SetKeyDown('A', false);  // input now
  EXPECT_EQ(poller.Read(), 0);
  sim::SetKeyDown('A', true);  // more input with the same time stamp, after the scan
  EXPECT_EQ(poller.Read(), 'A');
}

TEST_F(KeyPollTest, AHeldCombinationIsScannedEveryTick) {
  sim::SetKeyDown(VK_MENU, true);
  Settle();
  const std::uint64_t before = PollerQueries();
  EXPECT_EQ(Tick(), 0x8000);
  EXPECT_GT(PollerQueries(), before);
}

TEST_F(KeyPollTest, KeysChangedWithoutInputAreSeenWithinTheRefreshPeriod) {
  Settle();
  sim::SetKeyDownWithoutInput('K', true);
  DWORD waited = 0;
  while (poller.Read() != 'K' && waited <= CKeyCombinationPoller::kRefreshMilliseconds) {
    Sleep(10);
    waited += 10;
  }
  EXPECT_EQ(poller.Read(), 'K');
  EXPECT_LE(waited, CKeyCombinationPoller::kRefreshMilliseconds);
}

TEST_F(KeyPollTest, ReleasesWithoutInputAreSeenAtTheNextTick) {
  sim::SetKeyDown(VK_LBUTTON, true);
  Settle();
  sim::SetKeyDownWithoutInput(VK_LBUTTON, false);
  EXPECT_EQ(Tick(), 0);
}

}  // namespace

// When the tick reads again what only input changes: on a new input stamp and for a
// settling time after it, while the value is active, once a second, and always when the
// system gives no stamp.

#include <gtest/gtest.h>

#include <vector>

#include "foundation/input_watch.h"

namespace {

// The tick counts, 10 ms apart from `start`, at which the watch asks for a read.
std::vector<std::uint32_t> ReadsOver(CInputWatch& watch, std::uint32_t start, int ticks,
                                     std::optional<std::uint32_t> stamp, bool active = false) {
  std::vector<std::uint32_t> reads;
  for (int i = 0; i < ticks; ++i) {
    const std::uint32_t now = start + 10u * static_cast<std::uint32_t>(i);
    if (watch.Due(stamp, now, active)) reads.push_back(now);
  }
  return reads;
}

TEST(InputWatchTest, ReadsOnNewInputUntilSettledThenOnceASecond) {
  CInputWatch watch;
  // The tick count wraps in the middle: nothing changes.
  const std::uint32_t start = 0xFFFFFFFFu - 95;
  EXPECT_EQ(ReadsOver(watch, start, 150, 7u),
            (std::vector<std::uint32_t>{start, start + 10, start + 20, start + 30, start + 40,
                                        start + 50, start + 60, start + 1060}));
  // A new stamp: read at once and through the settling time again.
  EXPECT_EQ(ReadsOver(watch, start + 1500, 10, 8u).size(), 7u);
}

TEST(InputWatchTest, ActiveValuesAndMissingStampsAreReadAtEveryTick) {
  CInputWatch watch;
  ReadsOver(watch, 0, 20, 7u);
  EXPECT_EQ(ReadsOver(watch, 200, 30, 7u, true).size(), 30u);
  EXPECT_EQ(ReadsOver(watch, 500, 30, std::nullopt).size(), 30u);
  // Back to a stamp after none: it counts as new.
  EXPECT_EQ(ReadsOver(watch, 800, 10, 7u).size(), 7u);
}

}  // namespace

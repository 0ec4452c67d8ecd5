#include <gtest/gtest.h>

#include "foundation/day_count.h"

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0,
              WORD milliseconds = 0) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  time.wMilliseconds = milliseconds;
  return time;
}

TEST(DayCountTest, CountsWholeDaysFromTheLastDaysOf1899) {
  EXPECT_EQ(DayCountFromSystemTime(At(1899, 12, 30)), 0.0);
  EXPECT_EQ(DayCountFromSystemTime(At(1900, 1, 1)), 2.0);
  EXPECT_EQ(DayCountFromSystemTime(At(1900, 3, 1)), 61.0);  // 1900 was no leap year
  EXPECT_EQ(DayCountFromSystemTime(At(2000, 1, 1)), 36526.0);
  EXPECT_EQ(DayCountFromSystemTime(At(2026, 12, 8)), 46364.0);
}

TEST(DayCountTest, TimeOfDayIsTheFraction) {
  EXPECT_EQ(DayCountFromSystemTime(At(2000, 1, 1, 12)), 36526.5);
  EXPECT_EQ(DayCountFromSystemTime(At(2000, 1, 1, 6)), 36526.25);
  EXPECT_DOUBLE_EQ(DayCountFromSystemTime(At(2000, 1, 1, 23, 59, 59, 999)),
                   36526.0 + 86399999.0 / 86400000.0);
}

TEST(DayCountTest, CurrentTimeFollowsTheLocalClock) {
  SYSTEMTIME before{};
  GetLocalTime(&before);
  const double now = CurrentDayCount();
  EXPECT_GE(now, DayCountFromSystemTime(before));
  EXPECT_LT(now - DayCountFromSystemTime(before), 1.0 / 24);
}

}  // namespace

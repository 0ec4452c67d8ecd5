#include "foundation/day_count.h"

namespace {
// Days from 1 January of year 1 (proleptic Gregorian) to the given date, 1-based.
long DaysFromCivil(long year, unsigned month, unsigned day) {
  // The usual era-based count, valid for every year the clock can show.
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long>(dayOfEra);
}

constexpr double kMillisecondsPerDay = 86400000.0;
}  // namespace

double DayCountFromSystemTime(const SYSTEMTIME& time) {
  const long days = DaysFromCivil(time.wYear, time.wMonth, time.wDay) - DaysFromCivil(1899, 12, 30);
  const double milliseconds =
      ((time.wHour * 60.0 + time.wMinute) * 60.0 + time.wSecond) * 1000.0 + time.wMilliseconds;
  return static_cast<double>(days) + milliseconds / kMillisecondsPerDay;
}

double CurrentDayCount() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return DayCountFromSystemTime(now);
}

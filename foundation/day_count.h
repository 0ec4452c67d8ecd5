#pragma once
// Time stamps as the program stores them: a day count, whole days since 30 December 1899
// plus the fraction of the day, in local time.

#include "platform/windows_api.h"

// The day count of a calendar date and time; the date is assumed valid.
double DayCountFromSystemTime(const SYSTEMTIME& time);

// The day count of the current local time.
double CurrentDayCount();

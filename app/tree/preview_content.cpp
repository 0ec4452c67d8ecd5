#include "app/tree/preview_content.h"

#include <algorithm>
#include <cmath>
#include <string>

std::u16string PreviewExcerpt(std::u16string_view text) {
  std::u16string excerpt;
  int lines = 1;
  bool cut = false;
  std::size_t taken = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (taken >= kPreviewMaxCharacters) {
      cut = true;
      break;
    }
    const char16_t unit = text[i];
    if (unit == u'\r' || unit == u'\n') {
      if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      if (lines == kPreviewMaxLines) {
        cut = i + 1 < text.size();
        break;
      }
      ++lines;
      excerpt += u"\r\n";
      ++taken;
      continue;
    }
    // A pair whose second half would not fit is left out whole.
    if (unit >= 0xD800 && unit <= 0xDBFF && taken + 1 >= kPreviewMaxCharacters) {
      cut = true;
      break;
    }
    excerpt.push_back(unit);
    ++taken;
  }
  while (excerpt.size() >= 2 && excerpt.ends_with(u"\r\n")) excerpt.resize(excerpt.size() - 2);
  if (cut) excerpt += u"\u2026";
  return excerpt;
}

PreviewSize FitPicture(int width, int height, PreviewSize box) {
  if (width <= 0 || height <= 0) return {};
  if (width <= box.width && height <= box.height) return {width, height};
  const double scale =
      std::min(static_cast<double>(box.width) / width, static_cast<double>(box.height) / height);
  return {std::max(1, static_cast<int>(std::lround(width * scale))),
          std::max(1, static_cast<int>(std::lround(height * scale)))};
}

std::u16string PictureSizeText(int width, int height) {
  std::u16string text;
  for (char c : std::to_string(width)) text.push_back(static_cast<char16_t>(c));
  text += u" \u00D7 ";
  for (char c : std::to_string(height)) text.push_back(static_cast<char16_t>(c));
  return text + u" pixels";
}

namespace {

// The civil date of a count of days since 1 March of year 0 (the usual era-based rule).
void CivilFromDays(long days, long& year, unsigned& month, unsigned& day) {
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned long>(days - era * 146097);
  const unsigned long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned long monthIndex = (5 * dayOfYear + 2) / 153;
  day = static_cast<unsigned>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  month = static_cast<unsigned>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  year = static_cast<long>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

SYSTEMTIME SystemTimeFromDayCount(double dayCount) {
  // Counted in whole milliseconds, so that 0.9999999 of a day never shows as 24:00.
  const auto total = static_cast<long long>(std::llround(dayCount * 86400000.0));
  long long days = total / 86400000;
  long long milliseconds = total % 86400000;
  if (milliseconds < 0) {
    milliseconds += 86400000;
    --days;
  }
  // 30 December 1899 is day 693,899 after 1 March of year 0.
  long year = 0;
  unsigned month = 0;
  unsigned day = 0;
  CivilFromDays(static_cast<long>(days) + 693899, year, month, day);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(std::clamp<long>(year, 1601, 30827));
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(milliseconds / 3600000);
  time.wMinute = static_cast<WORD>(milliseconds / 60000 % 60);
  time.wSecond = static_cast<WORD>(milliseconds / 1000 % 60);
  time.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
  return time;
}

PreviewRect PlacePreview(const PreviewRect& list, int rowTop, PreviewSize size,
                         const PreviewRect& workArea) {
  int left = list.left - kPreviewGap - size.width;
  if (left < workArea.left) left = list.right + kPreviewGap;
  if (left + size.width > workArea.right)
    left = std::max(workArea.left, workArea.right - size.width);
  int top = rowTop;
  if (top + size.height > workArea.bottom) top = workArea.bottom - size.height;
  top = std::max(top, workArea.top);
  return {left, top, left + size.width, top + size.height};
}

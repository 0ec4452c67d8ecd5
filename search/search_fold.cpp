#include "search/search_fold.h"

#include <algorithm>
#include <cstdint>

namespace {

struct CFoldEntry {
  char32_t from;
  std::uint16_t first;
  std::uint8_t count;
};

#include "search/search_fold_table.inc"

void AppendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (point >> 6)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  }
}

void AppendFolded(std::string& out, char32_t point) {
  const auto* end = std::end(kFoldEntries);
  const auto* entry = std::lower_bound(
      std::begin(kFoldEntries), end, point,
      [](const CFoldEntry& candidate, char32_t wanted) { return candidate.from < wanted; });
  if (entry == end || entry->from != point) {
    AppendUtf8(out, point);
    return;
  }
  for (int i = 0; i < entry->count; ++i) AppendUtf8(out, kFoldTargets[entry->first + i]);
}

}  // namespace

std::string FoldForSearch(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    // Most clips are mostly ASCII: no look-up for it.
    if (unit < 0x80) {
      out.push_back(static_cast<char>(unit >= u'A' && unit <= u'Z' ? unit + 32 : unit));
      continue;
    }
    char32_t point = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      point = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      point = 0xFFFD;
    }
    AppendFolded(out, point);
  }
  return out;
}

bool IsSearchSpace(char16_t unit) {
  return unit == u' ' || (unit >= 0x09 && unit <= 0x0D) || unit == 0x00A0 || unit == 0x1680 ||
         (unit >= 0x2000 && unit <= 0x200A) || unit == 0x2028 || unit == 0x2029 || unit == 0x202F ||
         unit == 0x205F || unit == 0x3000;
}

#include "foundation/name_fold.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

struct CNameFold {
  char32_t from;
  char32_t to;
};

#include "foundation/name_fold_table.inc"

char32_t FoldedPoint(char32_t point) {
  const auto* end = std::end(kNameFolds);
  const auto* entry = std::lower_bound(
      std::begin(kNameFolds), end, point,
      [](const CNameFold& candidate, char32_t wanted) { return candidate.from < wanted; });
  return entry != end && entry->from == point ? entry->to : point;
}

void AppendPoint(std::u16string& out, char32_t point) {
  if (point < 0x10000) {
    out.push_back(static_cast<char16_t>(point));
    return;
  }
  point -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
}

}  // namespace

std::u16string FoldProgramName(std::u16string_view name) {
  std::u16string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t unit = name[i];
    if (unit < 0x80) {
      out.push_back(unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit);
      continue;
    }
    char32_t point = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
        name[i + 1] <= 0xDFFF) {
      point = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (name[i + 1] - 0xDC00);
      ++i;
    }
    AppendPoint(out, FoldedPoint(point));
  }
  return out;
}

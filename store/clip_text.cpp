#include "store/clip_text.h"

#include <algorithm>
#include <utility>

namespace {
bool AllAscii(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; });
}
}  // namespace

CClipText::CClipText(std::u16string_view text) {
  if (AllAscii(text)) {
    units_.emplace<std::string>(text.begin(), text.end());
  } else {
    units_.emplace<std::u16string>(text);
  }
}

CClipText CClipText::Taking(std::u16string text) {
  CClipText taken;
  if (AllAscii(text)) {
    taken.units_.emplace<std::string>(text.begin(), text.end());
  } else {
    taken.units_.emplace<std::u16string>(std::move(text));
  }
  return taken;
}

std::size_t CClipText::size() const {
  return IsAscii() ? std::get<std::string>(units_).size() : std::get<std::u16string>(units_).size();
}

std::string_view CClipText::Ascii() const {
  const auto* ascii = std::get_if<std::string>(&units_);
  return ascii != nullptr ? std::string_view(*ascii) : std::string_view();
}

std::u16string_view CClipText::Wide() const {
  const auto* wide = std::get_if<std::u16string>(&units_);
  return wide != nullptr ? std::u16string_view(*wide) : std::u16string_view();
}

std::u16string CClipText::Utf16(std::size_t count) const {
  if (IsAscii()) {
    const std::string_view ascii = Ascii().substr(0, count);
    return std::u16string(ascii.begin(), ascii.end());
  }
  return std::u16string(Wide().substr(0, count));
}

std::string_view CClipText::Bytes() const {
  if (IsAscii()) return Ascii();
  const std::u16string_view wide = Wide();
  return std::string_view(reinterpret_cast<const char*>(wide.data()),
                          wide.size() * sizeof(char16_t));
}

bool operator==(const CClipText& text, std::u16string_view units) {
  if (!text.IsAscii()) return text.Wide() == units;
  const std::string_view ascii = text.Ascii();
  return std::equal(
      ascii.begin(), ascii.end(), units.begin(), units.end(),
      [](char narrow, char16_t unit) { return static_cast<char16_t>(narrow) == unit; });
}

#include "foundation/paste_as_text.h"

#include "platform/windows_api.h"

namespace {

bool IsPasteLineBreak(char16_t unit) {
  return unit == u'\r' || unit == u'\n' || unit == u'\x85' || unit == u'\u2028' ||
         unit == u'\u2029';
}

// White space within a line: what the system's editors show as blank.
bool IsPasteBlank(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\v' || unit == u'\f' || unit == u'\xA0' ||
         unit == u'\u1680' || (unit >= u'\u2000' && unit <= u'\u200A') || unit == u'\u202F' ||
         unit == u'\u205F' || unit == u'\u3000' || unit == u'\uFEFF';
}

bool IsPasteWhiteSpace(char16_t unit) {
  return IsPasteBlank(unit) || IsPasteLineBreak(unit);
}

std::optional<std::u16string> MapCaseForPaste(std::u16string_view text, DWORD flags) {
  if (text.empty()) return std::u16string();
  // Linguistic casing: the user's language decides (a Turkish "i" becomes a dotted capital).
  // The system takes it with upper or lower case only, not with title case.
  if (flags != LCMAP_TITLECASE) flags |= LCMAP_LINGUISTIC_CASING;
  const int length = static_cast<int>(text.size());
  const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, AsWide(text.data()), length,
                                   nullptr, 0, nullptr, nullptr, 0);
  if (needed <= 0) return std::nullopt;
  std::u16string mapped(static_cast<std::size_t>(needed), u'\0');
  const int written = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, AsWide(text.data()), length,
                                    AsWide(mapped.data()), needed, nullptr, nullptr, 0);
  if (written <= 0) return std::nullopt;
  mapped.resize(static_cast<std::size_t>(written));
  return mapped;
}

std::u16string TrimmedForPaste(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (char16_t unit : text) {
    // Blanks before a line break are the ends of lines: they go.
    if (IsPasteLineBreak(unit)) {
      while (!result.empty() && IsPasteBlank(result.back())) result.pop_back();
    }
    result.push_back(unit);
  }
  std::size_t begin = 0;
  while (begin < result.size() && IsPasteWhiteSpace(result[begin])) ++begin;
  std::size_t end = result.size();
  while (end > begin && IsPasteWhiteSpace(result[end - 1])) --end;
  return result.substr(begin, end - begin);
}

std::u16string JoinedForPaste(std::u16string_view text) {
  // Each run of line breaks, with the blanks around it, becomes one space; breaks at either
  // end go.
  std::u16string result;
  result.reserve(text.size());
  bool breakPending = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char16_t unit = text[at];
    if (IsPasteLineBreak(unit)) {
      while (!result.empty() && IsPasteBlank(result.back())) result.pop_back();
      breakPending = true;
      continue;
    }
    if (breakPending) {
      if (IsPasteBlank(unit)) continue;
      if (!result.empty()) result.push_back(u' ');
      breakPending = false;
    }
    result.push_back(unit);
  }
  return result;
}

// Where the system has no title case (Wine), each word's first letter in the system's upper
// case; a word begins after white space.
std::optional<std::u16string> CapitalisedWordsForPaste(std::u16string text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (at != 0 && !IsPasteWhiteSpace(text[at - 1])) continue;
    if (IsPasteWhiteSpace(text[at])) continue;
    const auto upper = MapCaseForPaste(std::u16string_view(text).substr(at, 1), LCMAP_UPPERCASE);
    if (!upper || upper->size() != 1) return std::nullopt;
    text[at] = (*upper)[0];
  }
  return text;
}

}  // namespace

std::optional<std::u16string> TransformForPaste(std::u16string_view text, EPasteAs as) {
  switch (as) {
    case EPasteAs::kPlainText:
      return std::u16string(text);
    case EPasteAs::kUpperCase:
      return MapCaseForPaste(text, LCMAP_UPPERCASE);
    case EPasteAs::kLowerCase:
      return MapCaseForPaste(text, LCMAP_LOWERCASE);
    case EPasteAs::kTitleCase:
      // Lower case first: the title mapping need not touch a word's other letters.
      if (auto lower = MapCaseForPaste(text, LCMAP_LOWERCASE)) {
        if (auto title = MapCaseForPaste(*lower, LCMAP_TITLECASE)) return title;
        return CapitalisedWordsForPaste(std::move(*lower));
      }
      return std::nullopt;
    case EPasteAs::kTrimmed:
      return TrimmedForPaste(text);
    case EPasteAs::kOneLine:
      return JoinedForPaste(text);
  }
  return std::nullopt;
}

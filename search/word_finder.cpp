#include "search/word_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

CWordFinder::CWordFinder(std::string word) : word_(std::move(word)), resume_(word_.size() + 1, 0) {
  std::size_t border = 0;
  for (std::size_t k = 1; k < word_.size(); ++k) {
    while (border > 0 && word_[k] != word_[border]) border = resume_[border];
    if (word_[k] == word_[border]) ++border;
    resume_[k + 1] = border;
  }
  if (std::all_of(word_.begin(), word_.end(),
                  [](char byte) { return static_cast<unsigned char>(byte) < 0x80; })) {
    asciiWord_.assign(word_.begin(), word_.end());
  }
}

namespace {

// Where `unit` is next in `text`, a text of ASCII units only, from `at` and before `limit`;
// npos if nowhere. Every unit's high byte is zero there, so a non-zero unit is found by
// memchr through the bytes, as fast as FoundIn looks through folded text. A byte found
// elsewhere than a low byte (a text that is not ASCII after all) is passed over.
std::size_t FindAsciiUnit(std::u16string_view text, char16_t unit, std::size_t at,
                          std::size_t limit) {
  if (std::endian::native != std::endian::little || unit == 0) {
    return text.substr(0, limit).find(unit, at);
  }
  const char* bytes = reinterpret_cast<const char*>(text.data());
  const std::size_t size = 2 * limit;
  std::size_t from = 2 * at;
  while (from < size) {
    const void* found = std::memchr(bytes + from, unit, size - from);
    if (found == nullptr) break;
    const auto offset = static_cast<std::size_t>(static_cast<const char*>(found) - bytes);
    if (offset % 2 == 0 && text[offset / 2] == unit) return offset / 2;
    from = offset + 1;
  }
  return std::u16string_view::npos;
}

// Where `unit`, a folded unit, is next in `text` in either case, from `at`; npos if nowhere.
std::size_t FindFoldedAsciiUnit(std::u16string_view text, char16_t unit, std::size_t at) {
  std::size_t found = FindAsciiUnit(text, unit, at, text.size());
  if (unit >= u'a' && unit <= u'z') {
    const std::size_t limit = found == std::u16string_view::npos ? text.size() : found;
    const std::size_t capital = FindAsciiUnit(text, unit - u'a' + u'A', at, limit);
    if (capital != std::u16string_view::npos) found = capital;
  }
  return found;
}

// An ASCII unit as the search folds it: capitals are small letters, the rest as it is.
char16_t FoldAscii(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

}  // namespace

bool CWordFinder::FoundInAscii(std::u16string_view text) const {
  const std::size_t length = word_.size();
  if (length == 0) return true;
  if (asciiWord_.size() != length) return false;  // a byte of the word is not ASCII
  const std::size_t end = text.size();
  std::size_t matched = 0;
  std::size_t at = 0;
  while (at < end) {
    if (matched == 0) {
      // As FoundIn: a quick skip to the next place the word may start.
      if (end - at < length) return false;
      at = FindFoldedAsciiUnit(text, asciiWord_[0], at);
      if (at == std::u16string_view::npos) return false;
      ++at;
      matched = 1;
    } else if (FoldAscii(text[at]) == asciiWord_[matched]) {
      ++at;
      ++matched;
    } else {
      matched = resume_[matched];
      continue;
    }
    if (matched == length) return true;
  }
  return false;
}

bool CWordFinder::FoundIn(std::string_view text) const {
  const std::size_t length = word_.size();
  if (length == 0) return true;
  const std::size_t end = text.size();
  std::size_t matched = 0;
  std::size_t at = 0;
  while (at < end) {
    if (matched == 0) {
      // Nothing matched yet: memchr skips to the next place the word may start, much faster
      // than a byte at a time through text that mostly does not begin it.
      if (end - at < length) return false;
      const void* start = std::memchr(text.data() + at, word_[0], end - at);
      if (start == nullptr) return false;
      at = static_cast<std::size_t>(static_cast<const char*>(start) - text.data()) + 1;
      matched = 1;
    } else if (text[at] == word_[matched]) {
      ++at;
      ++matched;
    } else {
      matched = resume_[matched];
      continue;
    }
    if (matched == length) return true;
  }
  return false;
}

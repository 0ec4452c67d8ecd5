#include "search/word_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

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

constexpr std::size_t kNowhere = std::string_view::npos;

// Whether a word of `length` units is in a text of `end` units. `after(at)` is the place just
// after the next unit from `at` that may begin the word (kNowhere if none), so that text
// which mostly does not begin it is skipped quickly; `same(at, k)` compares the text's unit
// at `at` with the word's `k`th. After a mismatch the match goes on from the word's longest
// border (`resume`), so that no unit of the text is read twice.
template <typename After, typename Same>
bool HoldsWord(std::size_t length, std::size_t end, const std::vector<std::size_t>& resume,
               After after, Same same) {
  std::size_t matched = 0;
  std::size_t at = 0;
  while (at < end) {
    if (matched == 0) {
      if (end - at < length) return false;
      at = after(at);
      if (at == kNowhere) return false;
      matched = 1;
    } else if (same(at, matched)) {
      ++at;
      ++matched;
    } else {
      matched = resume[matched];
      continue;
    }
    if (matched == length) return true;
  }
  return false;
}

}  // namespace

bool CWordFinder::FoundInAscii(std::u16string_view text) const {
  if (word_.empty()) return true;
  if (asciiWord_.size() != word_.size()) return false;  // a byte of the word is not ASCII
  return HoldsWord(
      word_.size(), text.size(), resume_,
      [&](std::size_t at) {
        const std::size_t start = FindFoldedAsciiUnit(text, asciiWord_[0], at);
        return start == kNowhere ? kNowhere : start + 1;
      },
      [&](std::size_t at, std::size_t k) { return FoldAscii(text[at]) == asciiWord_[k]; });
}

bool CWordFinder::FoundIn(std::string_view text) const {
  if (word_.empty()) return true;
  return HoldsWord(
      word_.size(), text.size(), resume_,
      [&](std::size_t at) {
        // memchr, much faster than a byte at a time through text that mostly does not begin
        // the word.
        const void* start = std::memchr(text.data() + at, word_[0], text.size() - at);
        return start == nullptr
                   ? kNowhere
                   : static_cast<std::size_t>(static_cast<const char*>(start) - text.data()) + 1;
      },
      [&](std::size_t at, std::size_t k) { return text[at] == word_[k]; });
}

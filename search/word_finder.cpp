#include "search/word_finder.h"

#include <algorithm>
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
  wordIsAscii_ = std::all_of(word_.begin(), word_.end(),
                             [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

namespace {

// An ASCII byte as the search folds it: capitals are small letters, the rest as it is.
char FoldAscii(char unit) {
  return unit >= 'A' && unit <= 'Z' ? static_cast<char>(unit - 'A' + 'a') : unit;
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

bool CWordFinder::FoundInAscii(std::string_view text) const {
  if (word_.empty()) return true;
  if (!wordIsAscii_) return false;
  const char small = word_[0];
  const bool letter = small >= 'a' && small <= 'z';
  const char capital = letter ? static_cast<char>(small - 'a' + 'A') : small;
  // The places asked for only grow: the next small one is remembered, and a capital is
  // looked for only before it, so that no byte is looked at twice for either (a text of
  // capitals searched for a small letter it lacks would otherwise be read again at each).
  std::size_t nextSmall = text.find(small);
  return HoldsWord(
      word_.size(), text.size(), resume_,
      [&](std::size_t at) {
        if (nextSmall != kNowhere && nextSmall < at) nextSmall = text.find(small, at);
        std::size_t start = nextSmall;
        if (letter) {
          const std::size_t before = start == kNowhere ? text.size() : start;
          const std::size_t found = text.substr(0, before).find(capital, at);
          if (found != kNowhere) start = found;
        }
        return start == kNowhere ? kNowhere : start + 1;
      },
      [&](std::size_t at, std::size_t k) { return FoldAscii(text[at]) == word_[k]; });
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

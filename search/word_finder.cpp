#include "search/word_finder.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// How often a byte comes in text, more for a commoner one: a word is looked for by its
// rarest byte, at which memchr stops least often. Letters go by their frequency in English
// and the languages near it; what is not listed (other punctuation, the bytes of characters
// beyond ASCII) counts as rare.
int Commonness(char byte) {
  constexpr std::string_view kCommonestFirst = " etaoinsrhldcumfpgwybvk.,-:/0123456789xjqz";
  const std::size_t place = kCommonestFirst.find(byte);
  return place == std::string_view::npos ? 0 : static_cast<int>(kCommonestFirst.size() - place);
}

}  // namespace

CWordFinder::CWordFinder(std::string word) : word_(std::move(word)), resume_(word_.size() + 1, 0) {
  std::size_t border = 0;
  for (std::size_t k = 1; k < word_.size(); ++k) {
    while (border > 0 && word_[k] != word_[border]) border = resume_[border];
    if (word_[k] == word_[border]) ++border;
    resume_[k + 1] = border;
  }
  wordIsAscii_ = std::all_of(word_.begin(), word_.end(),
                             [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
  for (std::size_t k = 1; k < word_.size(); ++k) {
    if (Commonness(word_[k]) < Commonness(word_[rarest_])) rarest_ = k;
  }
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

// Looks for a word of `length` bytes in a text of `end` by its byte at `rarest`: each place
// of that byte from `from` on (`next(from)`, kNowhere for none) gives the one start that
// `matchesAt(start)` checks whole. Sure of the answer, or nullopt once the checks have read
// as much as the text holds: a word of repeats in a text of them, which the linear search
// then takes.
template <typename Next, typename MatchesAt>
std::optional<bool> FoundByRarestByte(std::size_t length, std::size_t end, std::size_t rarest,
                                      Next next, MatchesAt matchesAt) {
  std::size_t checked = 0;
  for (std::size_t from = rarest;;) {
    const std::size_t at = next(from);
    if (at == kNowhere || at - rarest + length > end) return false;
    if (matchesAt(at - rarest)) return true;
    checked += length;
    if (checked > end) return std::nullopt;
    from = at + 1;
  }
}

// The places of an ASCII letter in either case in a text, asked for from places that only
// grow: the next small one is remembered, and a capital is looked for only before it, so
// that no byte is looked at twice for either (a text of capitals searched for a small letter
// it lacks would otherwise be read again at each capital).
class CEitherCase {
 public:
  CEitherCase(std::string_view text, char small)
      : text_(text),
        small_(small),
        letter_(small >= 'a' && small <= 'z'),
        capital_(letter_ ? static_cast<char>(small - 'a' + 'A') : small),
        nextSmall_(text.find(small)) {}

  // The first place from `at` that holds the letter; kNowhere if none.
  std::size_t From(std::size_t at) {
    if (nextSmall_ != kNowhere && nextSmall_ < at) nextSmall_ = text_.find(small_, at);
    std::size_t found = nextSmall_;
    if (letter_) {
      const std::size_t before = found == kNowhere ? text_.size() : found;
      const std::size_t capital = text_.substr(0, before).find(capital_, at);
      if (capital != kNowhere) found = capital;
    }
    return found;
  }

 private:
  std::string_view text_;
  char small_;
  bool letter_;
  char capital_;
  std::size_t nextSmall_;
};

}  // namespace

bool CWordFinder::FoundInAscii(std::string_view text) const {
  if (word_.empty()) return true;
  if (!wordIsAscii_) return false;
  const auto sameFolded = [&](std::size_t at, std::size_t k) {
    return FoldAscii(text[at]) == word_[k];
  };
  CEitherCase rarest(text, word_[rarest_]);
  const std::optional<bool> sure = FoundByRarestByte(
      word_.size(), text.size(), rarest_, [&](std::size_t from) { return rarest.From(from); },
      [&](std::size_t start) {
        for (std::size_t k = 0; k < word_.size(); ++k) {
          if (!sameFolded(start + k, k)) return false;
        }
        return true;
      });
  if (sure) return *sure;
  CEitherCase first(text, word_[0]);
  return HoldsWord(
      word_.size(), text.size(), resume_,
      [&](std::size_t at) {
        const std::size_t start = first.From(at);
        return start == kNowhere ? kNowhere : start + 1;
      },
      sameFolded);
}

bool CWordFinder::FoundIn(std::string_view text) const {
  if (word_.empty()) return true;
  const std::optional<bool> sure = FoundByRarestByte(
      word_.size(), text.size(), rarest_,
      [&](std::size_t from) { return text.find(word_[rarest_], from); },
      [&](std::size_t start) { return text.compare(start, word_.size(), word_) == 0; });
  if (sure) return *sure;
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

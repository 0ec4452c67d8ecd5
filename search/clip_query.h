#pragma once
// CClipQuery: what the user typed into the search field, as the words that a clip's text
// must all contain, each anywhere in it (so "inv 44" finds "Invoice 4471"), with case and
// accents ignored as FoldForSearch says. A picture has no text: no query finds it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "search/word_finder.h"

class CClipQuery {
 public:
  // The longest query text looked at, in UTF-16 units. Every word is a walk over every
  // clip's text; the search field takes no more, and a longer text is cut to it here.
  static constexpr std::size_t kMaxQueryLength = 256;

  CClipQuery() = default;
  // The words of `text`'s first kMaxQueryLength units (one fewer rather than half a
  // surrogate pair).
  explicit CClipQuery(std::u16string_view text);

  // No words: the query finds nothing to filter by.
  bool Empty() const { return words_.empty(); }
  const std::vector<std::string>& Words() const { return words_; }

  // Whether `folded`, a text folded with FoldForSearch, contains every word.
  bool MatchesFolded(std::string_view folded) const;
  // The same for a text of ASCII bytes only, as it is: folding would only make its
  // capitals small.
  bool MatchesAsciiText(std::string_view text) const;

  // Whether every clip this query finds is also found by `wider`: each word of `wider`
  // lies within a word of this one (typing on narrows a search).
  bool Narrows(const CClipQuery& wider) const;

  bool operator==(const CClipQuery&) const = default;

 private:
  std::vector<std::string> words_;    // folded, without repeats
  std::vector<CWordFinder> finders_;  // one for each word, in the same order
};

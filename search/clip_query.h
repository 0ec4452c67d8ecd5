#pragma once
// CClipQuery: what the user typed into the search field, as the words that a clip's text
// must all contain, each anywhere in it (so "inv 44" finds "Invoice 4471"), with case and
// accents ignored as FoldForSearch says. A picture has no text: no query finds it.

#include <string>
#include <string_view>
#include <vector>

class CClipQuery {
 public:
  CClipQuery() = default;
  explicit CClipQuery(std::u16string_view text);

  // No words: the query finds nothing to filter by.
  bool Empty() const { return words_.empty(); }
  const std::vector<std::string>& Words() const { return words_; }

  // Whether `folded`, a text folded with FoldForSearch, contains every word.
  bool MatchesFolded(std::string_view folded) const;

  // Whether every clip this query finds is also found by `wider`: each word of `wider`
  // lies within a word of this one (typing on narrows a search).
  bool Narrows(const CClipQuery& wider) const;

  bool operator==(const CClipQuery&) const = default;

 private:
  std::vector<std::string> words_;  // folded, without repeats
};

#include "search/clip_query.h"

#include <algorithm>

#include "search/search_fold.h"

CClipQuery::CClipQuery(std::u16string_view text) {
  if (text.size() > kMaxQueryLength) {
    std::size_t kept = kMaxQueryLength;
    if (text[kept - 1] >= 0xD800 && text[kept - 1] <= 0xDBFF) --kept;
    text = text.substr(0, kept);
  }
  std::size_t start = 0;
  while (start < text.size()) {
    while (start < text.size() && IsSearchSpace(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !IsSearchSpace(text[end])) ++end;
    if (end > start) {
      std::string word = FoldForSearch(text.substr(start, end - start));
      // A word of accents alone folds to nothing, and would find every clip.
      if (!word.empty() && std::find(words_.begin(), words_.end(), word) == words_.end()) {
        finders_.emplace_back(word);
        words_.push_back(std::move(word));
      }
    }
    start = end;
  }
}

bool CClipQuery::MatchesFolded(std::string_view folded) const {
  return std::all_of(finders_.begin(), finders_.end(),
                     [folded](const CWordFinder& finder) { return finder.FoundIn(folded); });
}

bool CClipQuery::MatchesAsciiText(std::string_view text) const {
  return std::all_of(finders_.begin(), finders_.end(),
                     [text](const CWordFinder& finder) { return finder.FoundInAscii(text); });
}

bool CClipQuery::Narrows(const CClipQuery& wider) const {
  return std::all_of(wider.words_.begin(), wider.words_.end(), [this](const std::string& word) {
    return std::any_of(words_.begin(), words_.end(), [&word](const std::string& mine) {
      return mine.find(word) != std::string::npos;
    });
  });
}

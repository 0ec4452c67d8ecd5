#include "search/clip_query.h"

#include <algorithm>
#include <cstring>

#include "search/search_fold.h"

CClipQuery::CClipQuery(std::u16string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    while (start < text.size() && IsSearchSpace(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !IsSearchSpace(text[end])) ++end;
    if (end > start) {
      std::string word = FoldForSearch(text.substr(start, end - start));
      // A word of accents alone folds to nothing, and would find every clip.
      if (!word.empty() && std::find(words_.begin(), words_.end(), word) == words_.end()) {
        words_.push_back(std::move(word));
      }
    }
    start = end;
  }
}

namespace {

bool Contains(std::string_view text, const std::string& word) {
#ifdef __GLIBC__
  // Several times faster than a search by first characters, which common letters make slow.
  return memmem(text.data(), text.size(), word.data(), word.size()) != nullptr;
#else
  return text.find(word) != std::string_view::npos;
#endif
}

}  // namespace

bool CClipQuery::MatchesFolded(std::string_view folded) const {
  return std::all_of(words_.begin(), words_.end(),
                     [folded](const std::string& word) { return Contains(folded, word); });
}

bool CClipQuery::Narrows(const CClipQuery& wider) const {
  return std::all_of(wider.words_.begin(), wider.words_.end(), [this](const std::string& word) {
    return std::any_of(words_.begin(), words_.end(), [&word](const std::string& mine) {
      return mine.find(word) != std::string::npos;
    });
  });
}

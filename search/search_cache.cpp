#include "search/search_cache.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "search/search_fold.h"
#include "store/clip_text.h"

namespace {

// The queries of a search whose results are kept: a word typed and backspaced over.
constexpr std::size_t kRecentQueries = 12;

// Longer texts are folded when a search first looks at them and let go when it ends: the
// folded texts are half as large again as the clips' texts, and a few large clips kept
// folded through a run in which the user may never search would weigh like the store.
constexpr std::size_t kFoldedOnArrivalUnits = 64 * 1024;

// Sorts `ids`, distinct values that come as a few runs in ascending or descending order
// (each category's clips in list order), in time near their number rather than a full sort.
void SortRuns(std::vector<int>& ids) {
  std::vector<std::size_t> bounds{0};
  for (std::size_t start = 0; start < ids.size();) {
    std::size_t end = start + 1;
    if (end < ids.size() && ids[end] < ids[start]) {
      while (end < ids.size() && ids[end] < ids[end - 1]) ++end;
      std::reverse(ids.begin() + static_cast<std::ptrdiff_t>(start),
                   ids.begin() + static_cast<std::ptrdiff_t>(end));
    } else {
      while (end < ids.size() && ids[end] > ids[end - 1]) ++end;
    }
    bounds.push_back(end);
    start = end;
  }
  constexpr std::size_t kFewRuns = 64;
  if (bounds.size() > kFewRuns + 1) {
    std::sort(ids.begin(), ids.end());
    return;
  }
  const auto at = [&ids](std::size_t place) {
    return ids.begin() + static_cast<std::ptrdiff_t>(place);
  };
  while (bounds.size() > 2) {  // the runs merged two by two
    std::vector<std::size_t> merged{0};
    for (std::size_t i = 2; i < bounds.size(); i += 2) {
      std::inplace_merge(at(bounds[i - 2]), at(bounds[i - 1]), at(bounds[i]));
      merged.push_back(bounds[i]);
    }
    if (bounds.size() % 2 == 0) merged.push_back(bounds.back());  // an odd run out
    bounds.swap(merged);
  }
}

}  // namespace

void CSearchCache::BeginWalk(const CClipQuery& query) {
  candidates_ = nullptr;
  for (const CFound& found : recentlyFound_) {
    if (query.Narrows(found.query) &&
        (candidates_ == nullptr || found.ids.size() < candidates_->size())) {
      candidates_ = &found.ids;
    }
  }
}

bool CSearchCache::Finds(const CClipQuery& query, const CBaseItem& clip) {
  const CClipText* text = clip.SearchableText();
  if (text == nullptr) return false;
  if (candidates_ != nullptr &&
      !std::binary_search(candidates_->begin(), candidates_->end(), clip.id)) {
    return false;
  }
  // Folding makes only the capitals of ASCII small: such a text is searched as it is,
  // without a folded copy beside it.
  if (text->IsAscii()) return query.MatchesAsciiText(text->Ascii());
  auto folded = foldedTexts_.find(clip.id);
  if (folded == foldedTexts_.end()) {
    auto& kept = text->size() > kFoldedOnArrivalUnits ? largeFolded_ : foldedTexts_;
    folded = kept.find(clip.id);
    if (folded == kept.end()) folded = kept.emplace(clip.id, FoldForSearch(text->Wide())).first;
  }
  return query.MatchesFolded(folded->second);
}

void CSearchCache::Remember(const CClipQuery& query, std::vector<int> ids) {
  SortRuns(ids);
  auto known = std::find_if(recentlyFound_.begin(), recentlyFound_.end(),
                            [&query](const CFound& entry) { return entry.query == query; });
  if (known != recentlyFound_.end()) {
    known->ids = std::move(ids);
    return;
  }
  if (recentlyFound_.size() == kRecentQueries) recentlyFound_.pop_front();
  recentlyFound_.push_back({query, std::move(ids)});
}

void CSearchCache::AddClip(const CBaseItem& clip) {
  const CClipText* text = clip.SearchableText();
  largeFolded_.erase(clip.id);
  if (text == nullptr || text->IsAscii() || text->size() > kFoldedOnArrivalUnits) {
    foldedTexts_.erase(clip.id);
    return;
  }
  foldedTexts_.insert_or_assign(clip.id, FoldForSearch(text->Wide()));
}

void CSearchCache::EndSearch() {
  candidates_ = nullptr;
  recentlyFound_ = {};
  largeFolded_ = {};
}

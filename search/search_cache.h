#pragma once
// CSearchCache: what a search over the clips keeps between two walks over them: each text
// clip's folded text, made once for as long as the clip lives or the search lasts, and the
// clips that the last queries found, so that a query that narrows one of them (typing on)
// looks only at its clips, and one met again (a backspace) at just them.

#include <cstddef>
#include <deque>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "search/clip_query.h"
#include "store/base_item.h"

class CSearchCache {
 public:
  // A walk over the clips under `query` begins: until EndWalk it looks only at the clips
  // that the narrowest remembered query which `query` narrows found; at all without one.
  void BeginWalk(const CClipQuery& query);
  void EndWalk() { candidates_ = nullptr; }

  // Whether `query` finds `clip`: never a clip without searchable text or one outside the
  // walk's candidates.
  bool Finds(const CClipQuery& query, const CBaseItem& clip);

  // Remembers the ids of the clips that `query` found, in place of what it found before;
  // the oldest query is forgotten past the last few.
  void Remember(const CClipQuery& query, std::unordered_set<int> ids);
  // Forgets what every query found: a clip came in that none of them has looked at.
  void ForgetFound() { recentlyFound_.clear(); }
  // Forgets the folded text of a clip that left the store.
  void ForgetClip(int clipId) { foldedTexts_.erase(clipId); }
  // Forgets everything and gives back its memory: the search ended. The folded texts are
  // half as large again as the clips' texts, and more for most scripts, so they are not
  // kept through a run in which the user may never search again.
  void Clear();

  // The clips whose folded text is kept.
  std::size_t FoldedTexts() const { return foldedTexts_.size(); }

 private:
  struct CFound {
    CClipQuery query;
    std::unordered_set<int> ids;
  };
  std::deque<CFound> recentlyFound_;                     // the newest last
  const std::unordered_set<int>* candidates_ = nullptr;  // this walk looks only at these
  std::unordered_map<int, std::string> foldedTexts_;     // by clip id
};

#pragma once
// CSearchCache: what a search over the clips keeps: each text clip's folded text, made as
// the clip arrives and dropped as it leaves, so that no keystroke folds the whole history
// (a clip of more than 64 K units: made when a search first needs it, until the search ends;
// a text of ASCII only is searched as it is kept, its capitals taken as small letters);
// and, while a search lasts, the clips that its last queries found, so that a query that
// narrows one of them (typing on) looks only at its clips, and one met again (a backspace)
// at just them.

#include <cstddef>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "search/clip_query.h"
#include "store/base_item.h"

class CSearchCache {
 public:
  // A walk over the clips under `query` begins: until EndWalk it looks only at the clips
  // that the narrowest remembered query which `query` narrows found; at all without one.
  void BeginWalk(const CClipQuery& query);
  void EndWalk() { candidates_ = nullptr; }
  // The ids of the only clips that this walk can find, ascending, or null: it looks at every
  // clip.
  const std::vector<int>* Candidates() const { return candidates_; }

  // Whether `query` finds `clip`: never a clip without searchable text or one outside the
  // walk's candidates.
  bool Finds(const CClipQuery& query, const CBaseItem& clip);

  // Remembers the ids of the clips that `query` found (in any order, each once), in place of
  // what it found before; the oldest query is forgotten past the last few.
  void Remember(const CClipQuery& query, std::vector<int> ids);
  // Forgets what every query found: a clip came in that none of them has looked at.
  void ForgetFound() { recentlyFound_.clear(); }
  // Folds the text of a clip that came into the store, in place of anything kept under its
  // id; nothing for a clip without searchable text or with a large one.
  void AddClip(const CBaseItem& clip);
  // Forgets the folded text of a clip that left the store.
  void ForgetClip(int clipId) {
    foldedTexts_.erase(clipId);
    largeFolded_.erase(clipId);
  }
  // Keeps the folded texts only of the clips for which `alive` says so: a store emptied at
  // once (a load) tells of no clip leaving.
  template <typename Alive>
  void KeepOnly(Alive alive) {
    std::erase_if(foldedTexts_, [&alive](const auto& entry) { return !alive(entry.first); });
    std::erase_if(largeFolded_, [&alive](const auto& entry) { return !alive(entry.first); });
  }
  // The search ended: forgets what its queries found and the large texts it folded; the
  // others stay for the next.
  void EndSearch();

  // The clips whose folded text is kept.
  std::size_t FoldedTexts() const { return foldedTexts_.size() + largeFolded_.size(); }

 private:
  // A sorted list rather than a hash set: a query that finds every clip of a long history
  // would otherwise make and free a node per clip at each key.
  struct CFound {
    CClipQuery query;
    std::vector<int> ids;  // ascending
  };
  std::deque<CFound> recentlyFound_;                  // the newest last
  const std::vector<int>* candidates_ = nullptr;      // this walk looks only at these
  std::unordered_map<int, std::string> foldedTexts_;  // by clip id
  std::unordered_map<int, std::string> largeFolded_;  // by clip id, for this search
};

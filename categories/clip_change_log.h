#pragma once
// CClipChangeLog: the clips that entered or left the store since the tree mirror's last
// rebuild, so that the next rebuild can work in proportion to them; or the note that only
// the full reconcile will do.

#include <vector>

#include "store/base_item.h"

// A clip that entered or left the store since the last rebuild. An insertion whose clip
// left again before the rebuild has no clip any more.
struct CClipChange {
  enum class EPlace { kHead, kTail, kElsewhere };
  bool inserted = false;
  CBaseItem* clip = nullptr;
  int id = 0;
  int categoryId = 0;
  EPlace place = EPlace::kElsewhere;
};

class CClipChangeLog {
 public:
  // Whether the next rebuild must be the full reconcile; so from the start.
  bool FullRebuildNeeded() const { return fullRebuildNeeded_; }
  // The next rebuild must be the full reconcile; the changes so far need not be applied.
  void RequireFullRebuild();
  // A full reconcile begins: it takes in everything noted so far.
  void FullRebuildStarted();

  // Notes `clip` entering the store at `place` in its list (not owned). Past the changes
  // one rebuild applies one by one, the full reconcile is required instead.
  void NoteInserted(CBaseItem& clip, CClipChange::EPlace place);
  // Notes `clip` leaving the store. A pending insertion of it lets go of the clip, which
  // may be destroyed before the rebuild.
  void NoteRemoved(const CBaseItem& clip);

  // The changes in the order they came, to apply unless FullRebuildNeeded().
  const std::vector<CClipChange>& Changes() const { return changes_; }
  // The changes have been applied.
  void Clear() { changes_.clear(); }

 private:
  // Whether one more change can be noted; if not, the full reconcile is required.
  bool HasRoom();

  std::vector<CClipChange> changes_;
  bool fullRebuildNeeded_ = true;
};

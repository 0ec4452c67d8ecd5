#include "categories/clip_change_log.h"

#include <cstddef>

namespace {

// Changes that one rebuild applies one by one; beyond them (a category cleared, a load) the
// full reconcile is as cheap, and the list does not grow without a rebuild.
constexpr std::size_t kMostChangesApplied = 64;

}  // namespace

void CClipChangeLog::RequireFullRebuild() {
  fullRebuildNeeded_ = true;
  changes_.clear();
}

void CClipChangeLog::FullRebuildStarted() {
  changes_.clear();
  fullRebuildNeeded_ = false;
}

bool CClipChangeLog::HasRoom() {
  if (fullRebuildNeeded_) return false;
  if (changes_.size() >= kMostChangesApplied) {
    RequireFullRebuild();
    return false;
  }
  return true;
}

void CClipChangeLog::NoteInserted(CBaseItem& clip, CClipChange::EPlace place) {
  if (!HasRoom()) return;
  CClipChange change;
  change.inserted = true;
  change.clip = &clip;
  change.id = clip.id;
  change.categoryId = clip.categoryId;
  change.place = place;
  changes_.push_back(change);
}

void CClipChangeLog::NoteRemoved(const CBaseItem& clip) {
  if (!HasRoom()) return;
  for (CClipChange& earlier : changes_) {
    if (earlier.inserted && earlier.clip == &clip && earlier.id == clip.id) earlier.clip = nullptr;
  }
  CClipChange change;
  change.id = clip.id;
  change.categoryId = clip.categoryId;
  changes_.push_back(change);
}

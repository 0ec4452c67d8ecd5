// The user's deletions with their one step of undo, and the forgetting of old history.
#include "store/database.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>
#include <utility>

namespace {

bool IsBuiltInCategory(int categoryId) {
  return categoryId == kHistoryCategoryId || categoryId == kNotesCategoryId;
}

}  // namespace

CDeletedClips CDataBase::TakeItems(std::span<const int> itemIds) {
  CDeletedClips deleted;
  const std::unordered_set<int> wanted(itemIds.begin(), itemIds.end());
  std::size_t position = 0;
  for (auto clip = items.begin(); clip != items.end(); ++position) {
    auto next = std::next(clip);
    if (wanted.contains((*clip)->id)) deleted.clips.push_back({position, Detach(clip)});
    clip = next;
  }
  return deleted;
}

std::vector<int> CDataBase::RestoreItems(CDeletedClips deleted) {
  if (!deleted.categories.empty()) {
    for (CCategory& category : deleted.categories) {
      if (FindCategory(category.id) != nullptr) continue;  // ids are never reused
      if (category.parentId != 0 && FindCategory(category.parentId) == nullptr) {
        category.parentId = 0;  // shown at the top rather than hidden with its clips
      }
      categories.push_back(std::make_unique<CCategory>(category));
    }
    ++revision;
    RaiseCategoryCounter();
    CategoriesChanged();
  }
  std::vector<int> ids;
  for (CDeletedClips::CPlacedClip& placed : deleted.clips) {
    CBaseItem& clip = *placed.clip;
    if (!IsBuiltInCategory(clip.categoryId) && FindCategory(clip.categoryId) == nullptr) {
      clip.categoryId = kNotesCategoryId;
    }
    // One key, one clip: the clip that took the key meanwhile keeps it.
    if (clip.hotKey != 0 && std::any_of(items.begin(), items.end(), [&](const auto& other) {
          return other->hotKey == clip.hotKey;
        })) {
      clip.hotKey = 0;
    }
    clip.id = nextItemId++;
    ids.push_back(clip.id);
    const auto place = std::min(placed.position, items.size());
    Insert(std::next(items.begin(), static_cast<std::ptrdiff_t>(place)), std::move(placed.clip));
  }
  return ids;
}

int CDataBase::DeleteItems(std::span<const int> itemIds) {
  lastDeletion = TakeItems(itemIds);
  return static_cast<int>(lastDeletion.clips.size());
}

int CDataBase::ClearCategory(int categoryId) {
  std::vector<int> ids;
  for (const auto& clip : items) {
    if (clip->categoryId == categoryId) ids.push_back(clip->id);
  }
  return DeleteItems(ids);
}

int CDataBase::DeleteCategoryWithClips(int categoryId) {
  if (FindCategory(categoryId) == nullptr) return -1;
  // The category and every category below it, parents first; a sub-category left behind
  // would be hidden, and its clips with it.
  std::vector<int> doomed{categoryId};
  for (std::size_t i = 0; i < doomed.size(); ++i) {
    for (const auto& category : categories) {
      if (category->parentId == doomed[i] &&
          std::find(doomed.begin(), doomed.end(), category->id) == doomed.end()) {
        doomed.push_back(category->id);
      }
    }
  }
  std::vector<int> ids;
  for (const auto& clip : items) {
    if (std::find(doomed.begin(), doomed.end(), clip->categoryId) != doomed.end()) {
      ids.push_back(clip->id);
    }
  }
  CDeletedClips deleted = TakeItems(ids);
  for (int id : doomed) {
    auto found = std::find_if(categories.begin(), categories.end(),
                              [id](const auto& category) { return category->id == id; });
    deleted.categories.push_back(**found);
    categories.erase(found);
  }
  ++revision;
  CategoriesChanged();
  lastDeletion = std::move(deleted);
  return static_cast<int>(lastDeletion.clips.size());
}

std::vector<int> CDataBase::UndoDeletion() {
  return RestoreItems(std::exchange(lastDeletion, CDeletedClips{}));
}

int CDataBase::ForgetHistoryOlderThan(double now, int hours) {
  if (hours <= 0) return 0;
  const double oldest = now - hours / 24.0;
  std::vector<int> ids;
  for (const auto& clip : items) {
    if (clip->categoryId == kHistoryCategoryId && clip->created < oldest) ids.push_back(clip->id);
  }
  if (ids.empty()) return 0;
  return static_cast<int>(TakeItems(ids).clips.size());
}

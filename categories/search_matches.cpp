// The tree mirror under a search: what each category shows of the clips found.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "categories/clipboard_handler.h"

bool CClipboardHandler::AddFoundClipNodes(CWalkSlice slice) {
  const std::vector<int>* candidates = searchCache.Candidates();
  // A clip that came, went or changed its fields since, or a category, changed the
  // revision: its numbers, hot keys and places are for the whole list to tell again.
  if (search.Empty() || candidates == nullptr || walkedRevision != Revision() || !walkedAll) {
    return false;
  }
  numberedHistory.clear();
  searchWalk = CSearchWalk{};
  std::vector<std::size_t> found;  // into walkedClips, in list order: each category's order
  const auto look = [&](std::size_t walked) {
    const CBaseItem& clip = *walkedClips[walked].clip;
    if (CategoryNode(clip.categoryId) != nullptr && searchCache.Finds(search, clip)) {
      found.push_back(walked);
    }
  };
  // A few candidates are looked for by id: marked in a table over the range of their ids
  // (given in turn, few clips mostly span a small one) and read along the walk, or, over a
  // wider range, looked up in an index of the walk by id. Many are looked at along the walk
  // (Finds passes over the others), which is quicker than as many lookups and needs no sort.
  constexpr std::size_t kFewCandidatesShare = 8;
  const bool few = candidates->size() * kFewCandidatesShare < walkedClips.size();
  const int lowest = candidates->empty() ? 0 : candidates->front();
  const auto idRange =
      candidates->empty()
          ? std::size_t{0}
          : static_cast<std::size_t>(static_cast<std::int64_t>(candidates->back()) - lowest + 1);
  if (few && idRange <= walkedClips.size()) {
    std::vector<bool> wanted(idRange);
    for (int clipId : *candidates) wanted[static_cast<std::size_t>(clipId - lowest)] = true;
    for (std::size_t walked = 0; walked < walkedClips.size(); ++walked) {
      const std::int64_t offset = static_cast<std::int64_t>(walkedClips[walked].id) - lowest;
      if (offset >= 0 && static_cast<std::size_t>(offset) < idRange &&
          wanted[static_cast<std::size_t>(offset)]) {
        look(walked);
      }
    }
  } else if (few) {
    if (walkedIndex.empty()) {
      walkedIndex.reserve(walkedClips.size());
      for (std::size_t i = 0; i < walkedClips.size(); ++i) {
        walkedIndex.emplace(walkedClips[i].id, i);
      }
    }
    for (int clipId : *candidates) {
      if (auto place = walkedIndex.find(clipId); place != walkedIndex.end()) look(place->second);
    }
    std::sort(found.begin(), found.end());
  } else {
    searchWalk.done = false;
    searchWalk.againAll = true;
    WalkOn(slice);
    return true;
  }
  // The first found in each category fill its page.
  for (std::size_t walked : found) {
    ShowFoundClip(*CategoryNode(walkedClips[walked].clip->categoryId), walked);
  }
  return true;
}

void CClipboardHandler::WalkOn(CWalkSlice slice) {
  CSearchWalk& walk = searchWalk;
  const std::size_t again = walk.againAll ? walkedClips.size() : walk.again.size();
  for (; walk.nextAgain < again; ++walk.nextAgain) {
    if (!slice.Take()) return;
    const std::size_t walked = walk.againAll ? walk.nextAgain : walk.again[walk.nextAgain];
    const CBaseItem& clip = *walkedClips[walked].clip;
    CItemNode* category = CategoryNode(clip.categoryId);
    if (category != nullptr && searchCache.Finds(search, clip)) ShowFoundClip(*category, walked);
  }
  if (walk.listDone) {
    walk.done = true;
  } else {
    WalkClips(slice);
  }
}

bool CClipboardHandler::GoOnNarrowed(CWalkSlice slice) {
  if (!std::exchange(searchWalk.narrowed, false) || walkedRevision != Revision()) return false;
  WalkOn(slice);
  return true;
}

void CClipboardHandler::SetSearchSlice(std::chrono::microseconds time, std::size_t clips) {
  sliceTime = time;
  sliceClips = std::max<std::size_t>(clips, 1);
}

void CClipboardHandler::ContinueSearch() {
  if (!IsActive() || !SearchUnfinished()) return;
  // The walk's place and clips are the store's only while nothing changed since.
  if (walkedRevision != Revision() || changeLog.FullRebuildNeeded() ||
      !changeLog.Changes().empty()) {
    RebuildTreeFully();
    return;
  }
  const CTreeViewUpdate update(treeView);
  // The categories the last slice found nothing in went; those it found clips in stay.
  AddCategoryNodes();
  searchCache.BeginWalk(search);
  WalkOn(CWalkSlice(sliceTime, sliceClips));
  searchCache.EndWalk();
  ShowConfirmedNodes();
}

void CClipboardHandler::ShowFoundClip(CItemNode& category, std::size_t walked) {
  ++searchMatches;
  searchWalk.found.push_back(walked);
  CFoundInCategory& found = foundInCategories[category.id];
  // After a clip that waits, every clip found waits too: the nodes come in the order.
  if (found.made < NodePage(category) && found.taken == found.waiting.size()) {
    const CWalkedClip& clip = walkedClips[walked];
    AddClipNode(category, *clip.clip, clip.quickNumber, clip.rank);
    ++found.made;
  } else {
    found.waiting.push_back(walked);
  }
}

void CClipboardHandler::MakeFoundNodes(CItemNode& category, std::size_t clips) {
  auto found = foundInCategories.find(category.id);
  // The walk's clips are the store's only while nothing changed since.
  if (found == foundInCategories.end() || walkedRevision != Revision()) return;
  CFoundInCategory& inCategory = found->second;
  while (inCategory.made < clips && inCategory.taken < inCategory.waiting.size()) {
    const CWalkedClip& clip = walkedClips[inCategory.waiting[inCategory.taken++]];
    // After every node it has: the clips wait in the category's order.
    category.Order().push_back(AddClipNode(category, *clip.clip, clip.quickNumber, clip.rank));
    ++inCategory.made;
  }
}

CItemNode* CClipboardHandler::MakeFoundNodeOf(int clipId) {
  const CBaseItem* clip = FindItem(clipId);
  CItemNode* category = clip != nullptr ? CategoryNode(clip->categoryId) : nullptr;
  if (category == nullptr) return nullptr;
  auto found = foundInCategories.find(category->id);
  if (found == foundInCategories.end()) return nullptr;
  const CFoundInCategory& inCategory = found->second;
  for (std::size_t i = inCategory.taken; i < inCategory.waiting.size(); ++i) {
    if (walkedClips[inCategory.waiting[i]].id != clipId) continue;
    MakeFoundNodes(*category, inCategory.made + (i - inCategory.taken) + 1);
    return ClipNode(clipId);
  }
  return nullptr;
}

std::size_t CClipboardHandler::WaitingFoundClips(const CItemNode& category) const {
  auto found = foundInCategories.find(category.id);
  if (found == foundInCategories.end()) return 0;
  return found->second.waiting.size() - found->second.taken;
}

void CClipboardHandler::CountSearchMatches() {
  // Categories parents first, then counted children first.
  std::vector<CItemNode*> shown;
  std::vector<CItemNode*> pending{&root};
  while (!pending.empty()) {
    CItemNode* node = pending.back();
    pending.pop_back();
    shown.push_back(node);
    for (auto& [childId, child] : node->children) {
      if (child->isCategory && child->marked) pending.push_back(child.get());
    }
  }
  std::unordered_map<const CItemNode*, unsigned int> found;
  for (auto node = shown.rbegin(); node != shown.rend(); ++node) {
    unsigned int total = 0;
    for (auto& [childId, child] : (*node)->children) {
      if (!child->marked) continue;
      total += child->isCategory ? found[child.get()] : 1;
    }
    if (auto waiting = foundInCategories.find((*node)->id); waiting != foundInCategories.end()) {
      // Those taken since have nodes, counted above.
      const CFoundInCategory& inCategory = waiting->second;
      total += static_cast<unsigned int>(inCategory.waiting.size() - inCategory.taken);
    }
    found[*node] = total;
    (*node)->clipCount = total;
    if (total == 0 && *node != &root) {
      (*node)->marked = false;
      categoryNodes.erase((*node)->id);
    }
  }
  // What a query found is remembered once its walk ended.
  if (SearchUnfinished()) return;
  std::vector<int> ids;
  ids.reserve(searchWalk.found.size());
  for (std::size_t walked : searchWalk.found) ids.push_back(walkedClips[walked].id);
  searchCache.Remember(search, std::move(ids));
}

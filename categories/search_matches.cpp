// The tree mirror under a search: what each category shows of the clips found.

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

#include "categories/clipboard_handler.h"

bool CClipboardHandler::AddFoundClipNodes() {
  const std::vector<int>* candidates = searchCache.Candidates();
  // A clip that came, went or changed its fields since, or a category, changed the
  // revision: its numbers, hot keys and places are for the whole list to tell again.
  if (search.Empty() || candidates == nullptr || walkedRevision != Revision()) return false;
  numberedHistory.clear();
  std::vector<std::size_t> found;  // into walkedClips, in list order: each category's order
  const auto look = [&](std::size_t walked) {
    const CBaseItem& clip = *walkedClips[walked].clip;
    if (CategoryNode(clip.categoryId) != nullptr && searchCache.Finds(search, clip)) {
      found.push_back(walked);
    }
  };
  // A few candidates are looked up by id; many, along the walk (Finds passes over the
  // others), which is quicker than as many lookups and needs no sort.
  constexpr std::size_t kFewCandidatesShare = 8;
  if (candidates->size() * kFewCandidatesShare < walkedClips.size()) {
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
    for (std::size_t walked = 0; walked < walkedClips.size(); ++walked) look(walked);
  }
  // The first found in each category fill its page.
  for (std::size_t walked : found) {
    ShowFoundClip(*CategoryNode(walkedClips[walked].clip->categoryId), walked);
  }
  return true;
}

void CClipboardHandler::ShowFoundClip(CItemNode& category, std::size_t walked) {
  ++searchMatches;
  CFoundInCategory& found = foundInCategories[category.id];
  if (found.made < NodePage(category)) {
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
  std::vector<int> ids;
  ids.reserve(static_cast<std::size_t>(searchMatches));
  for (auto node = shown.rbegin(); node != shown.rend(); ++node) {
    unsigned int total = 0;
    for (auto& [childId, child] : (*node)->children) {
      if (!child->marked) continue;
      if (child->isCategory) {
        total += found[child.get()];
      } else {
        ++total;
        ids.push_back(static_cast<int>(child->id));
      }
    }
    if (auto waiting = foundInCategories.find((*node)->id); waiting != foundInCategories.end()) {
      for (std::size_t walked : waiting->second.waiting) ids.push_back(walkedClips[walked].id);
      total += static_cast<unsigned int>(waiting->second.waiting.size());
    }
    found[*node] = total;
    (*node)->clipCount = total;
    if (total == 0 && *node != &root) {
      (*node)->marked = false;
      categoryNodes.erase((*node)->id);
    }
  }
  searchCache.Remember(search, std::move(ids));
}

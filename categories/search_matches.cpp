// The tree mirror under a search: what each category shows of the clips found.

#include <unordered_map>
#include <utility>
#include <vector>

#include "categories/clipboard_handler.h"

bool CClipboardHandler::AddFoundClipNodes() {
  const std::vector<int>* candidates = searchCache.Candidates();
  // A clip that came, went or changed its fields since, or a category, changed the
  // revision: its numbers, hot keys and places are for the whole list to tell again.
  if (search.Empty() || candidates == nullptr || walkedRevision != Revision()) return false;
  if (walkedIndex.empty()) {
    walkedIndex.reserve(walkedClips.size());
    for (std::size_t i = 0; i < walkedClips.size(); ++i) walkedIndex.emplace(walkedClips[i].id, i);
  }
  numberedHistory.clear();
  for (int clipId : *candidates) {
    auto place = walkedIndex.find(clipId);
    if (place == walkedIndex.end()) continue;
    const CWalkedClip& walked = walkedClips[place->second];
    CItemNode* category = CategoryNode(walked.clip->categoryId);
    if (category == nullptr || !searchCache.Finds(search, *walked.clip)) continue;
    ++searchMatches;
    AddClipNode(*category, *walked.clip, walked.quickNumber, walked.rank);
  }
  return true;
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
    found[*node] = total;
    (*node)->clipCount = total;
    if (total == 0 && *node != &root) {
      (*node)->marked = false;
      categoryNodes.erase((*node)->id);
    }
  }
  searchCache.Remember(search, std::move(ids));
}

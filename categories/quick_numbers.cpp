#include "categories/quick_numbers.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "categories/clipboard_handler.h"

int CQuickNumbering::Next(int categoryId) {
  if (categoryId == kHistoryCategoryId) {
    return historyNumber_ < kLastQuickNumber ? ++historyNumber_ : 0;
  }
  if (categoryId == kNotesCategoryId) return ++notesNumber_;
  return ++otherNumber_;
}

std::vector<CItemNode*> CClipboardHandler::NumberedWith(int categoryId) {
  std::vector<CItemNode*> nodes;
  auto addClipsOf = [&nodes](CItemNode& category) {
    for (auto& [childId, child] : category.children) {
      if (!child->isCategory) nodes.push_back(child.get());
    }
  };
  if (categoryId == kNotesCategoryId) {
    if (CItemNode* notes = CategoryNode(kNotesCategoryId)) addClipsOf(*notes);
    return nodes;
  }
  // The clips of all user categories share one run of numbers.
  for (auto& [id, category] : categoryNodes) {
    const auto categoryIdOf = static_cast<int>(id);
    if (categoryIdOf != kHistoryCategoryId && categoryIdOf != kNotesCategoryId)
      addClipsOf(*category);
  }
  return nodes;
}

bool CClipboardHandler::NumberHistory() {
  CItemNode* history = CategoryNode(kHistoryCategoryId);
  if (history == nullptr) return false;
  std::vector<std::pair<CItemNode*, int>> before;  // the nodes that had numbers, with them
  for (unsigned int id : numberedHistory) {
    auto found = history->children.find(id);
    if (found == history->children.end()) continue;
    before.emplace_back(found->second.get(), found->second->quickNumber);
    found->second->quickNumber = 0;
  }
  numberedHistory.clear();
  // History clips lie at the head of the list (captures come in there; moves go to the
  // tail), so this stops after about ten clips.
  const std::size_t wanted = std::min<std::size_t>(kLastQuickNumber, history->children.size());
  for (auto clip = Items().begin(); clip != Items().end() && numberedHistory.size() < wanted;
       ++clip) {
    if ((*clip)->categoryId != kHistoryCategoryId) continue;
    auto found = history->children.find(static_cast<unsigned int>((*clip)->id));
    if (found == history->children.end()) return false;
    found->second->quickNumber = static_cast<int>(numberedHistory.size()) + 1;
    numberedHistory.push_back(found->second->id);
  }
  if (treeView == nullptr) return true;
  // A row whose number changed is drawn again (most also moved, which draws them anyway).
  for (const auto& [node, number] : before) {
    if (node->quickNumber != number) treeView->InvalidateRow(node->treeNode);
  }
  for (unsigned int id : numberedHistory) {
    const CItemNode& node = *history->children.find(id)->second;
    const bool had = std::any_of(before.begin(), before.end(),
                                 [&node](const auto& entry) { return entry.first == &node; });
    if (!had) treeView->InvalidateRow(node.treeNode);
  }
  return true;
}

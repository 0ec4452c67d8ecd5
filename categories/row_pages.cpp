// Rows on demand: which of a category's clips have rows in the view. A common-controls tree
// view pays for every row it holds (under Wine, for every row of a level each time the level
// changes), and a history of 100,000 clips needs only the few hundred rows near the screen.

#include <algorithm>

#include "categories/clip_node_fill.h"
#include "categories/clipboard_handler.h"

void CClipboardHandler::SetRowPage(std::size_t clips) {
  rowPage = std::max<std::size_t>(clips, 1);
  ResetRowPages();
  changeLog.RequireFullRebuild();
}

void CClipboardHandler::ResetRowPages() {
  for (auto& [categoryId, category] : categoryNodes) category->clipRowLimit = rowPage;
}

void CClipboardHandler::LayRows(CItemNode& category, std::size_t from) {
  if (category.clipRowLimit == 0) category.clipRowLimit = rowPage;
  if (treeView == nullptr) return;
  const std::size_t limit = category.subCategories + category.clipRowLimit;
  for (std::size_t i = std::max(from, category.subCategories); i < category.Order().size(); ++i) {
    CItemNode& node = *category.Order()[i];
    if (i < limit) {
      // Rows come in the level's order, so appending puts each in its place as long as the
      // rows before it are there; a full reconcile sorts the level after this anyway.
      if (node.treeNode == nullptr) {
        node.treeNode = treeView->AddRow(category.treeNode, &node);
        RowMade(node);
      }
    } else if (node.treeNode != nullptr) {
      treeView->DeleteRow(node.treeNode);
      node.treeNode = nullptr;
    }
  }
}

void CClipboardHandler::GrowRows(CItemNode& category, std::size_t clipRows) {
  if (clipRows <= category.clipRowLimit) return;
  const std::size_t from = category.subCategories + category.clipRowLimit;
  category.clipRowLimit = clipRows;
  if (search.Empty()) {
    MakeClipNodes(category, clipRows);
  } else {
    MakeFoundNodes(category, clipRows);
  }
  const CTreeViewUpdate update(treeView);
  LayRows(category, from);
  MakeDueCaptions();
}

void CClipboardHandler::RowMade(const CItemNode& node) {
  if (node.captionDue && node.treeNode != nullptr) captionsDue.insert(static_cast<int>(node.id));
}

void CClipboardHandler::MakeDueCaptions() {
  for (const auto& clip : Items()) {
    if (captionsDue.empty()) return;
    if (captionsDue.erase(clip->id) == 0) continue;
    if (CItemNode* category = CategoryNode(clip->categoryId)) {
      auto found = category->children.find(static_cast<unsigned int>(clip->id));
      if (found != category->children.end()) MakeDueCaption(*found->second, *clip);
    }
  }
  captionsDue.clear();  // clips gone since their rows were made
}

CItemNode* CClipboardHandler::ClipNode(int clipId) {
  const CBaseItem* clip = FindItem(clipId);
  if (clip == nullptr) return nullptr;
  CItemNode* category = CategoryNode(clip->categoryId);
  if (category == nullptr) return nullptr;
  auto found = category->children.find(static_cast<unsigned int>(clipId));
  if (found == category->children.end() || found->second->isCategory) return nullptr;
  return found->second.get();
}

CItemNode* CClipboardHandler::MakeRowsThrough(int clipId) {
  CItemNode* node = ClipNode(clipId);
  if (node == nullptr) node = search.Empty() ? MakeClipNodeOf(clipId) : MakeFoundNodeOf(clipId);
  if (node == nullptr || node->parent == nullptr) return nullptr;
  if (node->treeNode == nullptr) {
    CItemNode& category = *node->parent;
    const auto place =
        static_cast<std::size_t>(category.OrderPlace(*node) - category.Order().begin());
    const std::size_t clipIndex = place - std::min(place, category.subCategories);
    GrowRows(category, (clipIndex / rowPage + 1) * rowPage);
  }
  return node->treeNode != nullptr ? node : nullptr;
}

bool CClipboardHandler::MakeRowsNear(const CItemNode& clip) {
  if (clip.isCategory || clip.parent == nullptr || clip.treeNode == nullptr) return false;
  CItemNode& category = *clip.parent;
  if (category.clipRowLimit >= ShownClips(category)) return false;  // every clip has its row
  const auto place = static_cast<std::size_t>(category.OrderPlace(clip) - category.Order().begin());
  const std::size_t clipIndex = place - std::min(place, category.subCategories);
  if (clipIndex + rowPage / 2 < category.clipRowLimit) return false;
  GrowRows(category, category.clipRowLimit + rowPage);
  return true;
}

void CClipboardHandler::MakeAllRows(CItemNode& category) {
  GrowRows(category, (ShownClips(category) / rowPage + 1) * rowPage);
}

void CClipboardHandler::MakeLastRows() {
  if (treeView == nullptr) return;
  CItemNode* level = &root;
  while (!level->Order().empty()) {
    if (level->Order().size() > level->subCategories) {
      // The level ends with clips, whose last row is the tree's last.
      MakeAllRows(*level);
      return;
    }
    CItemNode& last = *level->Order().back();
    if (last.treeNode == nullptr || !treeView->IsExpanded(last.treeNode)) return;
    level = &last;
  }
}

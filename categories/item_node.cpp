#include "categories/item_node.h"

#include "store/base_item.h"

std::pair<CItemNode*, bool> CItemNode::FindOrAddChild(unsigned int childId) {
  auto [child, added] = children.try_emplace(childId);
  if (!added) {
    child->second->marked = true;
    return {child->second.get(), true};
  }
  child->second = std::make_unique<CItemNode>();
  return {child->second.get(), false};
}

CItemNode* CItemNode::FindMarkedNode(unsigned int nodeId) {
  auto direct = children.find(nodeId);
  if (direct != children.end() && direct->second->isCategory) {
    return direct->second->marked ? direct->second.get() : nullptr;
  }
  for (auto& [childId, child] : children) {
    if (!child->isCategory) continue;  // clip nodes have no children
    if (CItemNode* found = child->FindMarkedNode(nodeId)) return found;
  }
  return nullptr;
}

void CItemNode::ClearMarks() {
  for (auto& [childId, child] : children) child->ClearMarks();
  marked = false;
}

void CItemNode::PruneUnmarked(TCustomTreeView* view) {
  for (auto child = children.begin(); child != children.end();) {
    CItemNode& node = *child->second;
    node.PruneUnmarked(view);
    if (node.marked || !node.children.empty()) {
      ++child;
      continue;
    }
    if (view != nullptr && node.treeNode != nullptr) view->DeleteRow(node.treeNode);
    child = children.erase(child);
  }
}

void CItemNode::UpdateCounts() {
  if (!isCategory) return;
  for (auto& [childId, child] : children) child->UpdateCounts();
  count = static_cast<unsigned int>(children.size());
}

void CItemNode::Clear() {
  children.clear();
  id = 0;
  treeNode = nullptr;
  caption.clear();
  count = 0;
  marked = false;
  isCategory = false;
  categoryId = 0;
  inHistory = false;
  created = 0;
  thumbnail.reset();
  skinRow = 0;
  iconIndex = 0;
  indent = 0;
  quickNumber = 0;
  hotKey = 0;
  siblingIndex = 0;
}

void CItemNode::AddRow(TCustomTreeView* view, const CItemNode& parent, CItemNode& node) {
  if (view == nullptr) return;
  node.treeNode = view->AddRow(parent.treeNode, &node);
}

int CItemNode::CompareNodes(const void* dataA, const void* dataB) {
  const auto* a = static_cast<const CItemNode*>(dataA);
  const auto* b = static_cast<const CItemNode*>(dataB);
  if (a == nullptr || b == nullptr) return 0;
  if (a->isCategory && b->isCategory) return a->id < b->id ? -1 : 1;
  const auto history = static_cast<unsigned int>(kHistoryCategoryId);
  if (a->categoryId == history && b->categoryId == history) return a->id < b->id ? 1 : -1;
  return a->quickNumber < b->quickNumber ? -1 : 1;
}

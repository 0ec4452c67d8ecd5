#include "categories/item_node.h"

#include <algorithm>
#include <vector>

#include "store/base_item.h"

namespace {

// Whether the view puts `a` before `b`; a node is never before itself.
bool Before(const CItemNode* a, const CItemNode* b) {
  return a != b && CItemNode::CompareNodes(a, b) < 0;
}

// Every node of the subtree below `top`, each after its parent, children in ascending id
// order. Walked with a stack of its own: categories may nest thousands deep.
std::vector<CItemNode*> SubtreeParentsFirst(CItemNode& top) {
  std::vector<CItemNode*> nodes;
  std::vector<CItemNode*> pending{&top};
  while (!pending.empty()) {
    CItemNode* node = pending.back();
    pending.pop_back();
    nodes.push_back(node);
    for (auto child = node->children.rbegin(); child != node->children.rend(); ++child) {
      if (child->second->isCategory) pending.push_back(child->second.get());
    }
  }
  return nodes;
}

}  // namespace

CItemNode::~CItemNode() {
  std::vector<std::unique_ptr<CItemNode>> doomed;
  for (auto& [childId, child] : children) doomed.push_back(std::move(child));
  children.clear();
  while (!doomed.empty()) {
    std::unique_ptr<CItemNode> node = std::move(doomed.back());
    doomed.pop_back();
    for (auto& [childId, child] : node->children) doomed.push_back(std::move(child));
    node->children.clear();
  }
}

std::pair<CItemNode*, bool> CItemNode::FindOrAddChild(unsigned int childId) {
  auto [child, added] = children.try_emplace(childId);
  if (!added) {
    child->second->marked = true;
    return {child->second.get(), true};
  }
  child->second = std::make_unique<CItemNode>();
  child->second->parent = this;
  return {child->second.get(), false};
}

CItemNode* CItemNode::FindMarkedNode(unsigned int nodeId) {
  // The order of the recursive definition: at each node its direct child first, then the
  // subtrees of its categories in ascending id order.
  std::vector<CItemNode*> pending{this};
  while (!pending.empty()) {
    CItemNode* node = pending.back();
    pending.pop_back();
    auto direct = node->children.find(nodeId);
    if (direct != node->children.end() && direct->second->isCategory) {
      if (direct->second->marked) return direct->second.get();
      continue;  // an unmarked one ends the search of this subtree
    }
    for (auto child = node->children.rbegin(); child != node->children.rend(); ++child) {
      if (child->second->isCategory) pending.push_back(child->second.get());
    }
  }
  return nullptr;
}

void CItemNode::ClearMarks() {
  for (CItemNode* node : SubtreeParentsFirst(*this)) {
    node->marked = false;
    for (auto& [childId, child] : node->children) child->marked = false;
  }
}

void CItemNode::PruneUnmarked(TCustomTreeView* view) {
  // Children before their parents, so that a category whose rows all go goes as well.
  const std::vector<CItemNode*> nodes = SubtreeParentsFirst(*this);
  for (auto node = nodes.rbegin(); node != nodes.rend(); ++node) {
    auto& siblings = (*node)->children;
    for (auto child = siblings.begin(); child != siblings.end();) {
      CItemNode& candidate = *child->second;
      if (candidate.marked || !candidate.children.empty()) {
        ++child;
        continue;
      }
      if (view != nullptr && candidate.treeNode != nullptr) view->DeleteRow(candidate.treeNode);
      child = siblings.erase(child);
    }
  }
}

void CItemNode::UpdateCounts() {
  if (!isCategory) return;
  for (CItemNode* node : SubtreeParentsFirst(*this)) {
    const auto categories =
        std::count_if(node->children.begin(), node->children.end(),
                      [](const auto& child) { return child.second->isCategory; });
    node->clipCount =
        static_cast<unsigned int>(static_cast<std::size_t>(categories) + node->storedClips);
  }
}

void CItemNode::Clear() {
  children.clear();
  order_.reset();
  subCategories = 0;
  clipRowLimit = 0;
  parent = nullptr;
  id = 0;
  treeNode = nullptr;
  caption.clear();
  captionDue = false;
  clipCount = 0;
  storedClips = 0;
  textLength = 0;
  marked = false;
  isCategory = false;
  categoryId = 0;
  inHistory = false;
  created = 0;
  thumbnail.reset();
  pictureWidth = 0;
  pictureHeight = 0;
  skinRow = 0;
  iconIndex = 0;
  indent = 0;
  quickNumber = 0;
  hotKey = 0;
}

int CItemNode::RowsBefore() const {
  if (parent == nullptr) return 0;
  return static_cast<int>(parent->OrderPlace(*this) - parent->Order().begin());
}

std::deque<CItemNode*>::iterator CItemNode::OrderPlace(const CItemNode& child) {
  return std::lower_bound(Order().begin(), Order().end(), &child, Before);
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
  if (a->categoryId == history && b->categoryId == history) return a->rank < b->rank ? -1 : 1;
  return a->quickNumber < b->quickNumber ? -1 : 1;
}

std::deque<CItemNode*>& CItemNode::Order() {
  if (!order_) order_ = std::make_unique<std::deque<CItemNode*>>();
  return *order_;
}

const std::deque<CItemNode*>& CItemNode::Order() const {
  static const std::deque<CItemNode*> kNoChildren;
  return order_ ? *order_ : kNoChildren;
}

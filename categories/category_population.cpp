#include "categories/category_population.h"

#include <unordered_set>
#include <vector>

#include "categories/clipboard_handler.h"

void CClipboardHandler::AddBuiltInCategory(int categoryId, const char16_t* caption, int skinRow) {
  auto [node, existed] = root.FindOrAddChild(static_cast<unsigned int>(categoryId));
  node->caption = caption;
  node->isCategory = true;
  node->marked = true;
  node->id = node->categoryId = static_cast<unsigned int>(categoryId);
  node->skinRow = skinRow;
  node->iconIndex = skinRow;
  node->indent = kTopIndent;
  if (!existed) CItemNode::AddRow(treeView, root, *node);
  categoryNodes[node->id] = node;
}

void PopulateCategories(CDataBase& store, CItemNode& parent, int parentId, TCustomTreeView* view,
                        bool withIndent, std::unordered_map<unsigned int, CItemNode*>* nodesById) {
  // The categories by parent, in list order, made once: asking the store for the children
  // of every category would cost the square of their number.
  std::unordered_map<int, std::vector<const CCategory*>> childrenOf;
  for (const auto& category : store.Categories())
    childrenOf[category->parentId].push_back(category.get());

  // Depth first, children in list order, as the nodes' rows have always been added; with a
  // stack of its own, since a damaged file can nest categories thousands deep.
  struct CPending {
    CItemNode* parentNode;
    const CCategory* category;
  };
  std::vector<CPending> pending;
  auto pushChildren = [&](CItemNode& node, int id) {
    auto found = childrenOf.find(id);
    if (found == childrenOf.end()) return;
    for (auto child = found->second.rbegin(); child != found->second.rend(); ++child) {
      pending.push_back({&node, *child});
    }
  };
  std::unordered_set<int> placed{parentId};
  pushChildren(parent, parentId);
  while (!pending.empty()) {
    const auto [parentNode, category] = pending.back();
    pending.pop_back();
    if (!placed.insert(category->id).second) continue;
    auto [node, existed] = parentNode->FindOrAddChild(static_cast<unsigned int>(category->id));
    node->caption = category->name;
    node->isCategory = true;
    node->marked = true;
    node->id = node->categoryId = static_cast<unsigned int>(category->id);
    node->skinRow = 1;
    node->iconIndex = category->iconIndex;
    if (!existed) CItemNode::AddRow(view, *parentNode, *node);
    if (withIndent) {
      // A row is added below its parent's row whenever the parent has one.
      const bool nested =
          view != nullptr && node->treeNode != nullptr && parentNode->treeNode != nullptr;
      node->indent = nested ? kSubCategoryIndent : kTopIndent;
    }
    if (nodesById != nullptr) (*nodesById)[node->id] = node;
    pushChildren(*node, category->id);
  }
}

#include "categories/tree_search.h"

#include <vector>

namespace {

// Every category node below `root`, parents first. Walked with a list of its own:
// categories may nest deep in a damaged file.
std::vector<CItemNode*> CategoryNodes(CItemNode& root) {
  std::vector<CItemNode*> nodes;
  std::vector<CItemNode*> pending{&root};
  while (!pending.empty()) {
    CItemNode* node = pending.back();
    pending.pop_back();
    if (node != &root) nodes.push_back(node);
    for (auto& [childId, child] : node->children) {
      if (child->isCategory) pending.push_back(child.get());
    }
  }
  return nodes;
}

// Folds every category row. A search adds and deletes rows by the thousand, and the
// common-controls tree view (under Wine) takes a time in proportion to the rows shown for
// each row added or deleted below an unfolded row: folded, all of it takes a moment.
void FoldAll(CClipboardHandler& handler) {
  TCustomTreeView* view = handler.TreeView();
  if (view == nullptr) return;
  for (CItemNode* category : CategoryNodes(handler.Root())) {
    if (category->treeNode != nullptr && view->IsExpanded(category->treeNode)) {
      view->SetExpanded(category->treeNode, false);
    }
  }
}

}  // namespace

void CTreeSearch::SetText(CClipboardHandler& handler, std::u16string_view text) {
  const CClipQuery query(text);
  if (query.Empty()) {
    End(handler);
    return;
  }
  // Another space, or a word typed twice: the same clips.
  if (remembered_ && query == handler.Search()) return;
  if (!remembered_) remembered_ = Remember(handler);
  handler.SetSearch(query);
  handler.ResetRowPages();  // each query shows the first page of what it finds
  FoldAll(handler);
  handler.RebuildTree();
  unfolded_.clear();
  ShowFound(handler, true);
}

void CTreeSearch::Continue(CClipboardHandler& handler) {
  if (!remembered_ || !handler.SearchUnfinished()) return;
  handler.ContinueSearch();
  ShowFound(handler, false);
}

void CTreeSearch::Finish(CClipboardHandler& handler) {
  while (remembered_ && handler.SearchUnfinished()) Continue(handler);
}

void CTreeSearch::ShowFound(CClipboardHandler& handler, bool newQuery) {
  TCustomTreeView* view = handler.TreeView();
  if (view == nullptr) return;
  for (CItemNode* category : CategoryNodes(handler.Root())) {
    if (category->treeNode != nullptr && !category->children.empty() &&
        unfolded_.insert(category->id).second) {
      view->SetExpanded(category->treeNode, true);
    }
  }
  // A query selects the first clip it finds; a slice that found clips before it (in an
  // earlier category) selects the new first, unless the user moved the selection.
  if (!newQuery) {
    TTreeNode* selected = view->Selected();
    const auto* node =
        selected != nullptr ? static_cast<const CItemNode*>(view->RowData(selected)) : nullptr;
    const std::optional<unsigned int> selectedClip =
        node != nullptr && !node->isCategory ? std::optional(node->id) : std::nullopt;
    if (selectedClip != selectedClip_) return;
  }
  CItemNode* first = FirstClip(handler.Root());
  const std::optional<unsigned int> firstClip =
      first != nullptr ? std::optional(first->id) : std::nullopt;
  if (!newQuery && firstClip == selectedClip_) return;
  view->Select(first != nullptr ? first->treeNode : nullptr);
  selectedClip_ = firstClip;
}

void CTreeSearch::End(CClipboardHandler& handler) {
  if (!remembered_) return;
  const CTreeState state = std::move(*remembered_);
  remembered_.reset();
  handler.SetSearch(CClipQuery());
  handler.ResetRowPages();
  FoldAll(handler);
  handler.RebuildTree();
  Restore(handler, state);
}

CItemNode* CTreeSearch::FirstClip(CItemNode& root) {
  // Depth first along the view's order: a category's sub-categories come before its clips.
  std::vector<CItemNode*> pending{&root};
  while (!pending.empty()) {
    CItemNode* node = pending.back();
    pending.pop_back();
    if (!node->isCategory) return node;
    for (auto child = node->Order().rbegin(); child != node->Order().rend(); ++child) {
      pending.push_back(*child);
    }
  }
  return nullptr;
}

CTreeSearch::CTreeState CTreeSearch::Remember(CClipboardHandler& handler) {
  CTreeState state;
  TCustomTreeView* view = handler.TreeView();
  if (view == nullptr) return state;
  for (CItemNode* category : CategoryNodes(handler.Root())) {
    if (category->treeNode != nullptr) {
      state.expanded[category->id] = view->IsExpanded(category->treeNode);
    }
  }
  if (TTreeNode* row = view->Selected()) {
    if (const auto* node = static_cast<const CItemNode*>(view->RowData(row))) {
      state.selected = CRow{node->id, node->isCategory};
    }
  }
  return state;
}

void CTreeSearch::Restore(CClipboardHandler& handler, const CTreeState& state) {
  TCustomTreeView* view = handler.TreeView();
  if (view == nullptr) return;
  CItemNode& root = handler.Root();
  // The selection first: selecting a row unfolds the rows above it.
  if (state.selected) {
    CItemNode* node = state.selected->isCategory
                          ? root.FindMarkedNode(state.selected->id)
                          : handler.MakeRowsThrough(static_cast<int>(state.selected->id));
    if (node != nullptr && node->treeNode != nullptr) view->Select(node->treeNode);
  }
  for (CItemNode* category : CategoryNodes(root)) {
    auto was = state.expanded.find(category->id);
    if (category->treeNode == nullptr || was == state.expanded.end()) continue;
    if (view->IsExpanded(category->treeNode) != was->second) {
      view->SetExpanded(category->treeNode, was->second);
    }
  }
}

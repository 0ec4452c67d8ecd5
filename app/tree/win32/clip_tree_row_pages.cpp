// The tree holds rows for a page of each category's clips at a time (categories/row_pages.cpp);
// as the view scrolls or the selection moves toward the last row of a page, the next comes.

#include "app/tree/win32/clip_tree_controller.h"

#include <algorithm>
#include <vector>

#include "categories/clipboard_handler.h"

void CClipTreeController::MakeRowsNearScreen() {
  // The rows on screen (the one cut by the bottom edge included) and the selected row:
  // a category's page ends within one of them when the view nears it.
  std::vector<HTREEITEM> watched;
  const UINT onScreen = TreeView_GetVisibleCount(tree_) + 1;
  HTREEITEM row = TreeView_GetFirstVisible(tree_);
  for (UINT i = 0; row != nullptr && i < onScreen; ++i) {
    watched.push_back(row);
    row = TreeView_GetNextVisible(tree_, row);
  }
  if (HTREEITEM selected = TreeView_GetSelection(tree_)) watched.push_back(selected);
  // One page per category at most: the rows made may themselves be watched the new end.
  std::vector<const CItemNode*> grown;
  for (HTREEITEM each : watched) {
    const CItemNode* node = NodeOf(each);
    if (node == nullptr || node->isCategory) continue;
    if (std::find(grown.begin(), grown.end(), node->parent) != grown.end()) continue;
    if (handler_.MakeRowsNear(*node)) grown.push_back(node->parent);
  }
}

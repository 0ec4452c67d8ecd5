// CClipTreeController: the category a dragged clip would go to, shown as the tree's drop
// target while the mouse is over it.

#include "app/tree/win32/clip_tree_controller.h"

#include "app/tree/clip_tree_rules.h"
#include "categories/clipboard_handler.h"

void CClipTreeController::HighlightDropTarget(std::optional<POINT> point) {
  HTREEITEM target = nullptr;
  RECT client{};
  GetClientRect(tree_, &client);
  const CItemNode* dragged = drag_ ? FindClipNode(handler_.Root(), drag_->clipId) : nullptr;
  if (point && dragged != nullptr && PtInRect(&client, *point)) {
    TVHITTESTINFO hit{};
    hit.pt = *point;
    const HTREEITEM row = TreeView_HitTest(tree_, &hit);
    const auto draggedRow = reinterpret_cast<HTREEITEM>(dragged->treeNode);
    bool belowDragged = false;
    for (HTREEITEM up = row; up != nullptr; up = TreeView_GetParent(tree_, up)) {
      if (up == draggedRow) belowDragged = true;
    }
    const DropDecision drop = DecideDrop(dragged, row != nullptr ? NodeOf(row) : nullptr,
                                         belowDragged, (hit.flags & TVHT_ONITEMINDENT) != 0);
    // A move shows the category's row that takes the clip: the row under the mouse or the
    // category above it.
    for (HTREEITEM up = row; drop.action == EDropAction::kMove && up != nullptr;
         up = TreeView_GetParent(tree_, up)) {
      const CItemNode* node = NodeOf(up);
      if (node != nullptr && node->isCategory && static_cast<int>(node->id) == drop.categoryId) {
        target = up;
        break;
      }
    }
  }
  if (TreeView_GetDropHilight(tree_) != target) TreeView_SelectDropTarget(tree_, target);
}

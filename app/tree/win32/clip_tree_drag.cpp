// CClipTreeController: dragging a clip with the left button and what its drop does.

#include "app/tree/win32/clip_tree_controller.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "app/tree/clip_tree_rules.h"
#include "categories/clipboard_handler.h"

namespace {

constexpr int kDragThreshold = 10;

HTREEITEM RowOf(const CItemNode* node) {
  return node != nullptr ? reinterpret_cast<HTREEITEM>(node->treeNode) : nullptr;
}

}  // namespace

void CClipTreeController::ItemsTreeMouseMove(POINT point) {
  if (!drag_) return;
  if (!drag_->started && (std::abs(point.x - drag_->start.x) >= kDragThreshold ||
                          std::abs(point.y - drag_->start.y) >= kDragThreshold)) {
    drag_->started = true;
  }
  if (!drag_->started) return;
  // Only the tree takes a drop; elsewhere the cursor says so.
  RECT client{};
  GetClientRect(tree_, &client);
  SetCursor(LoadCursorW(nullptr, PtInRect(&client, point) ? IDC_ARROW : IDC_NO));
  HighlightDropTarget(point);
}

void CClipTreeController::ItemsTreeEndDrag(POINT point) {
  // Taken first: releasing the capture reports WM_CAPTURECHANGED, which clears drag_.
  const std::optional<Drag> drag = std::exchange(drag_, std::nullopt);
  HighlightDropTarget(std::nullopt);
  if (GetCapture() == tree_) ReleaseCapture();
  if (!drag || !drag->started) return;

  CItemNode* dragged = FindClipNode(handler_.Root(), drag->clipId);
  RECT client{};
  GetClientRect(tree_, &client);
  if (dragged == nullptr || !PtInRect(&client, point)) return;  // gone, or not dropped here
  TVHITTESTINFO hit{};
  hit.pt = point;
  const HTREEITEM targetRow = TreeView_HitTest(tree_, &hit);
  bool belowDragged = false;
  for (HTREEITEM row = targetRow; row != nullptr; row = TreeView_GetParent(tree_, row)) {
    if (row == RowOf(dragged)) belowDragged = true;
  }
  const DropDecision drop = DecideDrop(dragged, targetRow != nullptr ? NodeOf(targetRow) : nullptr,
                                       belowDragged, (hit.flags & TVHT_ONITEMINDENT) != 0);
  if (drop.action == EDropAction::kNone) return;
  if (drop.action == EDropAction::kCopyToClipboard) {
    handler_.PutItemToClipboard(drag->clipId);
  } else {
    MoveClips(drag->clipId, drop.categoryId);
  }
  handler_.RebuildTree();
  if (HTREEITEM again = RowOf(FindClipNode(handler_.Root(), drag->clipId))) {
    TreeView_SelectItem(tree_, again);
  }
}

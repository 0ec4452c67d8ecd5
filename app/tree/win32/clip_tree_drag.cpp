// CClipTreeController: dragging a clip with the left button and what its drop does: within
// the window, onto a category; beyond it, into another program.

#include "app/tree/win32/clip_tree_controller.h"

#include <optional>
#include <utility>
#include <vector>

#include "app/tree/clip_tree_rules.h"
#include "app/tree/drag_out.h"
#include "categories/clipboard_handler.h"

namespace {

HTREEITEM RowOf(const CItemNode* node) {
  return node != nullptr ? reinterpret_cast<HTREEITEM>(node->treeNode) : nullptr;
}

}  // namespace

void CClipTreeController::ItemsTreeMouseMove(POINT point) {
  if (!drag_) return;
  // The whole window in the tree's coordinates, as `point` is.
  RECT window{};
  GetWindowRect(GetAncestor(tree_, GA_ROOT), &window);
  MapWindowPoints(nullptr, tree_, reinterpret_cast<POINT*>(&window), 2);
  const EClipDragStage stage =
      ClipDragStageAt({drag_->start.x, drag_->start.y}, {point.x, point.y}, drag_->started,
                      {window.left, window.top, window.right, window.bottom});
  if (stage == EClipDragStage::kPressed) return;
  drag_->started = true;
  if (stage == EClipDragStage::kOutside) {
    DragOut(drag_->clipId);
    return;
  }
  // Within the window only the tree takes a drop; elsewhere the cursor says so.
  RECT client{};
  GetClientRect(tree_, &client);
  SetCursor(LoadCursorW(nullptr, PtInRect(&client, point) ? IDC_ARROW : IDC_NO));
  HighlightDropTarget(point);
}

void CClipTreeController::DragOut(int clipId) {
  // The system's drag takes the mouse from here on; the tree's own ends without a drop.
  drag_.reset();
  if (GetCapture() == tree_) ReleaseCapture();
  HidePreview();
  const CBaseItem* clip = handler_.FindItem(clipId);
  if (clip == nullptr) return;
  std::vector<CClipBlock> blocks = DragOutBlocks(*clip);
  if (blocks.empty()) return;
  if (!ole_) ole_.emplace();
  if (!ole_->Entered()) return;
  // A copy, whatever the target does: the clip stays, and nothing here changes.
  DragClipOut(std::move(blocks));
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
  // A clip moved to a long category lands past the rows its page has.
  if (HTREEITEM again = RowOf(handler_.MakeRowsThrough(drag->clipId))) {
    TreeView_SelectItem(tree_, again);
  }
}

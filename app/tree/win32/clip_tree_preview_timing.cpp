// CClipTreeController: when the preview of a row comes and goes, by the pointer resting on
// the row or the keyboard selecting it.

#include "app/tree/win32/clip_tree_controller.h"

#include <utility>

#include "app/tree/preview_content.h"
#include "categories/clipboard_handler.h"
#include "store/base_item.h"

void CClipTreeController::HoverAt(POINT point) {
  // The system also reports a move when rows or windows change under a resting pointer:
  // that must not take away the preview that the keyboard asked for.
  if (drag_ || (point.x == lastPointer_.x && point.y == lastPointer_.y)) return;
  lastPointer_ = point;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, tree_, 0};
  TrackMouseEvent(&track);
  TVHITTESTINFO hit{};
  hit.pt = point;
  HTREEITEM row = TreeView_HitTest(tree_, &hit);
  if ((hit.flags & TVHT_ONITEM) == 0 && (hit.flags & TVHT_ONITEMRIGHT) == 0) row = nullptr;
  if (row == hoverRow_) return;
  hoverRow_ = row;
  HidePreview();
  if (row != nullptr) SchedulePreview(row);
}

void CClipTreeController::SchedulePreview(HTREEITEM row) {
  preview_.Hide();
  previewRow_ = row;
  if (row == nullptr) {
    KillTimer(tree_, kPreviewTimerId);
    return;
  }
  SetTimer(tree_, kPreviewTimerId, kPreviewDelayMilliseconds, nullptr);
}

void CClipTreeController::HidePreview() {
  // The folded window asks at every tick; the timer is set only while a row is due.
  if (std::exchange(previewRow_, nullptr) != nullptr) KillTimer(tree_, kPreviewTimerId);
  preview_.Hide();
}

void CClipTreeController::ShowPreview() {
  const HTREEITEM row = std::exchange(previewRow_, nullptr);
  const CItemNode* node = NodeOf(row);
  if (node == nullptr || node->isCategory || !IsWindowVisible(tree_)) return;
  const CBaseItem* clip = handler_.FindItem(static_cast<int>(node->id));
  RECT rowRect{};
  if (clip == nullptr || !TreeView_GetItemRect(tree_, row, &rowRect, FALSE)) return;
  POINT rowTop{0, rowRect.top};
  ClientToScreen(tree_, &rowTop);
  RECT list{};
  GetWindowRect(GetParent(tree_), &list);
  preview_.Show(*clip, list, rowTop.y);
}

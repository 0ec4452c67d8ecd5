// CClipTreeController: what the tree tells screen readers and other assistive programs.
// The rows hold no text of their own (they are drawn from their nodes, and a text kept in
// each row would cost at every capture); a reader asking for a row's text gets it made
// from the row's node at that moment.

#include "app/tree/win32/clip_tree_controller.h"

#include <algorithm>
#include <string>

#include "app/tree/row_text.h"

LRESULT CClipTreeController::GetItemWithRowText(WNDPROC treeProc, WPARAM wParam, LPARAM lParam) {
  const LRESULT found = CallWindowProcW(treeProc, tree_, TVM_GETITEMW, wParam, lParam);
  auto* item = reinterpret_cast<TVITEMW*>(lParam);
  // Another process's reader (an accessibility proxy) sends this with a buffer it placed
  // in this process; the control has already filled the rest of the item.
  if (found == FALSE || item == nullptr || (item->mask & TVIF_TEXT) == 0 ||
      item->pszText == nullptr || item->cchTextMax <= 0) {
    return found;
  }
  const CItemNode* node = NodeOf(item->hItem);
  if (node == nullptr) return found;
  const std::u16string text = RowText(*node, host_.QuickPasteMode());
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
  std::copy_n(text.begin(), length, reinterpret_cast<char16_t*>(item->pszText));
  item->pszText[length] = L'\0';
  return found;
}

void CClipTreeController::AnnounceSelection(HTREEITEM row) {
  if (row == nullptr) return;
  // The child id that the system's proxy for tree views gives this row; a control that
  // maps none has the tree itself named, and the reader asks it for its focused row.
  auto childId = static_cast<LONG>(TreeView_MapHTREEITEMToAccID(tree_, row));
  if (childId <= 0) childId = CHILDID_SELF;
  NotifyWinEvent(EVENT_OBJECT_SELECTION, tree_, OBJID_CLIENT, childId);
  if (GetFocus() == tree_) NotifyWinEvent(EVENT_OBJECT_FOCUS, tree_, OBJID_CLIENT, childId);
}

void CClipTreeController::InvalidateSelectedRow() {
  RECT row{};
  const HTREEITEM selected = TreeView_GetSelection(tree_);
  if (selected != nullptr && TreeView_GetItemRect(tree_, selected, &row, FALSE)) {
    InvalidateRect(tree_, &row, FALSE);
  }
}

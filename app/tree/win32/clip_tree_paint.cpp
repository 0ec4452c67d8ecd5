// CClipTreeController: drawing the rows, the background below them and the text of an
// empty tree.

#include "app/tree/win32/clip_tree_controller.h"

#include <algorithm>
#include <utility>

#include "platform/win32/gdi.h"

// What the control draws itself (WM_PRINTCLIENT) comes here, row by row.
LRESULT CClipTreeController::ItemsTreeCustomDrawItem(NMTVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto* node = reinterpret_cast<const CItemNode*>(draw.nmcd.lItemlParam);
  if (node == nullptr) return CDRF_SKIPDEFAULT;
  PaintRow(draw.nmcd.hdc, reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec), *node, draw.nmcd.rc,
           (draw.nmcd.uItemState & CDIS_SELECTED) != 0);
  return CDRF_SKIPDEFAULT;
}

void CClipTreeController::ItemsTreePaint(HDC dc, const RECT& dirty) {
  RECT client{};
  GetClientRect(tree_, &client);
  const COLORREF chosen = TreeView_GetBkColor(tree_);
  const UniqueBrush background(
      CreateSolidBrush(chosen != static_cast<COLORREF>(-1) ? chosen : GetSysColor(COLOR_WINDOW)));
  const int rowHeight = TreeView_GetItemHeight(tree_);
  const HTREEITEM dropTarget = TreeView_GetDropHilight(tree_);
  LONG rowsBottom = client.top;
  for (HTREEITEM item = TreeView_GetFirstVisible(tree_); item != nullptr;
       item = TreeView_GetNextVisible(tree_, item)) {
    RECT row{};
    if (!TreeView_GetItemRect(tree_, item, &row, FALSE) || row.top >= client.bottom ||
        row.top >= dirty.bottom) {
      break;
    }
    row.bottom = row.top + rowHeight;
    rowsBottom = row.bottom;
    if (row.bottom <= dirty.top) continue;
    // While a drag shows its drop target, that row alone is drawn selected.
    const bool selected =
        dropTarget != nullptr
            ? item == dropTarget
            : (TreeView_GetItemState(tree_, item, TVIS_SELECTED) & TVIS_SELECTED) != 0;
    if (const CItemNode* node = NodeOf(item)) {
      PaintRow(dc, item, *node, row, selected);
    } else {
      FillRect(dc, &row, background.get());
    }
  }
  RECT below = dirty;
  below.top = std::max(below.top, rowsBottom);
  if (below.top < below.bottom) FillRect(dc, &below, background.get());
  if (!emptyText_.empty() && TreeView_GetCount(tree_) == 0) PaintEmptyText(dc);
}

void CClipTreeController::PaintRow(HDC dc, HTREEITEM item, const CItemNode& node, RECT row,
                                   bool selected) {
  RowState state;
  state.selected = DrawsSelected(node, selected);
  state.hasParent = HasParentRow(item);
  state.precedingSiblings = node.RowsBefore();
  state.quickPasteMode = host_.QuickPasteMode();
  state.colours = rowColours_;
  // The row is as high as the tree's item height. Wine reports a rectangle one pixel
  // shorter, which would squeeze every row by a line.
  row.bottom = row.top + TreeView_GetItemHeight(tree_);
  painter_->Paint(dc, row, node, state, host_.CategoriesIcons(), host_.MoreIcons());
  // Where the keyboard is must always show, whatever the system's keyboard cues say.
  if (selected && GetFocus() == tree_) DrawFocusRect(dc, &row);
}

void CClipTreeController::SetEmptyText(std::u16string text) {
  if (text == emptyText_) return;
  emptyText_ = std::move(text);
  InvalidateRect(tree_, nullptr, TRUE);
}

void CClipTreeController::SetEmptyTextColour(std::uint32_t rgb) {
  if (emptyTextColour_ == rgb) return;
  emptyTextColour_ = rgb;
  if (TreeView_GetCount(tree_) == 0) InvalidateRect(tree_, nullptr, TRUE);
}

void CClipTreeController::PaintEmptyText(HDC dc) {
  RECT client{};
  GetClientRect(tree_, &client);
  SelectGuard font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(tree_, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, emptyTextColour_ ? ToColorRef(*emptyTextColour_) : GetSysColor(COLOR_GRAYTEXT));
  RECT text = client;
  text.top += TreeView_GetItemHeight(tree_) / 2;
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(emptyText_.c_str()), -1, &text,
            DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
}

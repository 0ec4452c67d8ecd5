// CClipTreeController: several clips selected at once with Ctrl and Shift, drawn as
// selected, and the commands that act on all of them.

#include "app/tree/win32/clip_tree_controller.h"

#include <utility>

#include "app/tree/clip_tree_rules.h"
#include "categories/clipboard_handler.h"
#include "store/base_item.h"

namespace {

ShownRow ShownRowOf(const CItemNode& node) {
  return {static_cast<int>(node.id), node.isCategory};
}

bool KeyHeld(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

void CClipTreeController::FollowSelection(HTREEITEM row, UINT action) {
  if (!followsCaret_) return;
  const CItemNode* node = NodeOf(row);
  if (node == nullptr) return;
  const bool wasSeveral = selection_.Count() > 1;
  if (action == TVC_BYKEYBOARD && KeyHeld(VK_SHIFT)) {
    selection_.ExtendTo(ShownRows(), ShownRowOf(*node));
  } else {
    selection_.SelectOnly(ShownRowOf(*node));
  }
  // The tree redraws the rows its own selection left and reached; the others of the set
  // are drawn here.
  if (wasSeveral || selection_.Count() > 1) InvalidateRect(tree_, nullptr, FALSE);
}

bool CClipTreeController::SelectWithMouse(HTREEITEM row, bool rightButton, WPARAM keys) {
  selectOnRelease_.reset();
  const CItemNode* node = NodeOf(row);
  if (node == nullptr) {
    TreeView_SelectItem(tree_, row);
    return false;
  }
  const ShownRow clicked = ShownRowOf(*node);
  // From the message rather than the key state, which under Wine can lag behind a key
  // pressed just before the click.
  const bool ctrl = (keys & MK_CONTROL) != 0;
  const bool shift = (keys & MK_SHIFT) != 0;
  // A category row is never gathered: with or without the keys, it is selected alone.
  if (!rightButton && !node->isCategory && (ctrl || shift)) {
    MoveCaret(row);
    if (shift) {
      selection_.ExtendTo(ShownRows(), clicked, ctrl);
    } else {
      selection_.Toggle(clicked);
    }
    InvalidateRect(tree_, nullptr, FALSE);
    return true;
  }
  if (!node->isCategory && selection_.Contains(clicked.id) && selection_.Count() > 1) {
    // The selection stays for a drag of all of them and for the menu's commands; a left
    // click that does not drag selects the clip alone when the button goes up.
    MoveCaret(row, rightButton);
    if (!rightButton) selectOnRelease_ = clicked.id;
    return false;
  }
  MoveCaret(row, rightButton);
  const bool wasSeveral = selection_.Count() > 1;
  selection_.SelectOnly(clicked);
  if (wasSeveral) InvalidateRect(tree_, nullptr, FALSE);
  return false;
}

void CClipTreeController::FinishClick(bool dragged) {
  const std::optional<int> clip = std::exchange(selectOnRelease_, std::nullopt);
  if (!clip || dragged) return;
  selection_.SelectOnly({*clip, false});
  InvalidateRect(tree_, nullptr, FALSE);
}

void CClipTreeController::MoveCaret(HTREEITEM row, bool keepFolds) {
  followsCaret_ = false;
  // A right click folds nothing: the row must stay where its menu opens. Not every tree view
  // honours TVSI_NOSINGLEEXPAND (Wine's does not), so the style that folds is also taken
  // away for the moment of the selection.
  const LONG_PTR style = GetWindowLongPtrW(tree_, GWL_STYLE);
  const bool unfoldsAlone = keepFolds && (style & TVS_SINGLEEXPAND) != 0;
  if (unfoldsAlone) SetWindowLongPtrW(tree_, GWL_STYLE, style & ~TVS_SINGLEEXPAND);
  TreeView_Select(tree_, row, keepFolds ? TVGN_CARET | TVSI_NOSINGLEEXPAND : TVGN_CARET);
  if (unfoldsAlone) SetWindowLongPtrW(tree_, GWL_STYLE, style);
  followsCaret_ = true;
}

std::vector<ShownRow> CClipTreeController::ShownRows() const {
  std::vector<ShownRow> rows;
  for (HTREEITEM row = TreeView_GetRoot(tree_); row != nullptr;
       row = TreeView_GetNextVisible(tree_, row)) {
    if (const CItemNode* node = NodeOf(row)) rows.push_back(ShownRowOf(*node));
  }
  return rows;
}

std::vector<int> CClipTreeController::ClipsFor(int clipId) {
  CItemNode& root = handler_.Root();
  selection_.Prune([&root](int id) { return FindClipNode(root, id) != nullptr; });
  if (!selection_.Contains(clipId)) return {clipId};
  return selection_.InOrder(RowsInListOrder(root));
}

bool CClipTreeController::DrawsSelected(const CItemNode& node, bool caret) const {
  // Until the set has followed the tree (and should it ever lose every clip), the tree's
  // own selected row is what shows.
  if (node.isCategory || selection_.Empty()) return caret;
  return selection_.Contains(static_cast<int>(node.id));
}

ClipboardMenuState CClipTreeController::ClipMenuFor(const CItemNode& clip) {
  ClipboardMenuState state = ClipboardMenuFor(clip);
  for (int id : ClipsFor(static_cast<int>(clip.id))) {
    const CBaseItem* selected = handler_.FindItem(id);
    if (selected != nullptr && selected->categoryId == kHistoryCategoryId) {
      state.moveToNotesVisible = true;
    }
  }
  return state;
}

void CClipTreeController::AddSelectionEntries(HMENU menu, MenuTarget target) {
  if (target.isCategory || ClipsFor(target.id).size() < 2) return;
  // Beside the entry that puts one clip on the clipboard.
  InsertMenuW(menu, 1, MF_BYPOSITION | MF_STRING, kCmdPasteTogether, L"Paste &together");
}

bool CClipTreeController::DeleteSelectedClips() {
  const CItemNode* caret = NodeOf(TreeView_GetSelection(tree_));
  CItemNode& root = handler_.Root();
  selection_.Prune([&root](int id) { return FindClipNode(root, id) != nullptr; });
  if (selection_.Empty()) return false;
  if (caret != nullptr && !caret->isCategory && selection_.Count() == 1 &&
      selection_.Contains(static_cast<int>(caret->id))) {
    return false;  // the one selected row, as the Delete key always did
  }
  const std::optional<ShownRow> after = RowAfterRemoval(ShownRows(), selection_);
  handler_.DeleteItems(selection_.InOrder(RowsInListOrder(root)));
  handler_.RebuildTree();
  host_.ClipsDeleted();
  if (after) SelectTarget({after->id, after->isCategory});
  return true;
}

bool CClipTreeController::MoveToNotes(int clipId) {
  bool moved = false;
  for (int id : ClipsFor(clipId)) {
    const CBaseItem* clip = handler_.FindItem(id);
    if (clip != nullptr && clip->categoryId == kHistoryCategoryId) {
      moved = handler_.MoveItem(id, kNotesCategoryId) || moved;
    }
  }
  return moved;
}

void CClipTreeController::MoveClips(int clipId, int categoryId) {
  for (int id : ClipsFor(clipId)) handler_.MoveItem(id, categoryId);
}

void CClipTreeController::PasteSelectedTogether(EPickedBy by) {
  const CItemNode* caret = NodeOf(TreeView_GetSelection(tree_));
  CItemNode& root = handler_.Root();
  selection_.Prune([&root](int id) { return FindClipNode(root, id) != nullptr; });
  std::vector<int> clips = selection_.InOrder(RowsInListOrder(root));
  if (clips.empty() && caret != nullptr && !caret->isCategory) {
    clips.push_back(static_cast<int>(caret->id));
  }
  if (!clips.empty()) host_.PasteClipsTogether(clips, by);
}

void CClipTreeController::SelectClips(const std::vector<int>& clipIds) {
  if (clipIds.empty()) return;
  SelectClip(clipIds.front());
  for (auto id = std::next(clipIds.begin()); id != clipIds.end(); ++id) {
    if (handler_.MakeRowsThrough(*id) != nullptr) selection_.Add({*id, false});
  }
  if (selection_.Count() > 1) InvalidateRect(tree_, nullptr, FALSE);
}

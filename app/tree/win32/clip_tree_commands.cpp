// CClipTreeController: the context menus of the rows and the commands they give.

#include "app/tree/win32/clip_tree_controller.h"

#include <optional>
#include <string>

#include "app/tree/clip_tree_rules.h"
#include "categories/clipboard_handler.h"
#include "foundation/question_box.h"
#include "store/base_item.h"

void CClipTreeController::ShowMenu(UniqueMenu menu, POINT point, MenuTarget target) {
  if (!menu) return;
  AddEditorEntries(menu.get(), target);
  AddSelectionEntries(menu.get(), target);
  ClientToScreen(tree_, &point);
  RunCommand(TrackClipTreeMenu(host_.OwnerWindow(), menu.get(), point), target);
}

void CClipTreeController::RunCommand(EClipTreeCommand command, MenuTarget target) {
  // The menu ran a message loop, in which a capture may have rebuilt the tree, trimmed the
  // clip and moved the selection to a neighbour: the command is for the row that was
  // right-clicked, found anew by its id, or for nothing when it is gone. Only its values
  // are kept across the dialogs below.
  if (command == kCmdNone) return;
  const CItemNode* node = TargetNode(target);
  if (node == nullptr) return;
  const int id = static_cast<int>(node->id);
  const int categoryId = static_cast<int>(node->categoryId);
  const bool isCategory = node->isCategory;
  const EPickedBy by = target.pickedBy;
  const KeyCombination hotKey = node->hotKey;
  const std::u16string caption = node->caption;
  if (const std::optional<EPasteAs> as = PasteAsOf(command)) {
    if (!isCategory) host_.PasteClipAs(id, *as, by);
    return;
  }
  switch (command) {
    case kCmdMoveToClipboard:
      if (!isCategory) host_.MoveClipToClipboard(id, by);
      break;
    case kCmdCopyAsPlainText:
      if (!isCategory) host_.CopyClipAsPlainText(id, by);
      break;
    case kCmdMoveToNotes:
      if (isCategory || !MoveToNotes(id)) return;
      handler_.RebuildTree();
      break;
    case kCmdSetHotKey:
      if (isCategory) return;
      if (const std::optional<KeyCombination> key = host_.AskHotKey(hotKey)) {
        handler_.SetItemHotKey(id, *key);
        handler_.RebuildTree();
      }
      break;
    case kCmdDeleteItem:
      if (isCategory) return;
      handler_.DeleteItems(ClipsFor(id));
      handler_.RebuildTree();
      host_.ClipsDeleted();
      break;
    case kCmdClear:
      if (AskYesNo(host_.OwnerWindow(), ClearQuestion(node->parent->caption))) {
        handler_.ClearCategory(categoryId);
        handler_.RebuildTree();
        host_.ClipsDeleted();
      }
      break;
    case kCmdAddCategory:
      EditCategory(0, 0);
      break;
    case kCmdAddChildCategory:
      if (isCategory) EditCategory(0, id);
      break;
    case kCmdEditCategory:
      if (isCategory) EditCategory(id, 0);
      break;
    case kCmdDeleteCategory:
      if (isCategory && AskYesNo(host_.OwnerWindow(), DeleteCategoryQuestion(caption)) &&
          handler_.DeleteCategoryWithClips(id) >= 0) {
        handler_.RebuildTree();
        host_.ClipsDeleted();
      }
      break;
    case kCmdEditText:
      if (!isCategory) host_.EditClipText(id);
      break;
    case kCmdNewNote:
      if (isCategory) host_.WriteNote(node);
      break;
    case kCmdPasteTogether:
      if (!isCategory) host_.PasteClipsTogether(ClipsFor(id), by);
      break;
    case kCmdNone:
    case kCmdPasteAsFirst:  // taken above with the other forms
      break;
  }
}

void CClipTreeController::AddEditorEntries(HMENU menu, MenuTarget target) {
  if (target.isCategory) {
    AddNewNoteEntry(menu, target.id != kHistoryCategoryId);
  } else {
    const CBaseItem* clip = handler_.FindItem(target.id);
    const bool text = clip != nullptr && clip->kind == kTextKind;
    AddClipEditorEntries(menu, text);
    if (text) AddPasteAsEntries(menu);
  }
}

bool CClipTreeController::EditorKeyDown(WPARAM key) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (GetKeyState(VK_MENU) < 0) return false;
  if (key == VK_F2 && !ctrl && GetKeyState(VK_SHIFT) >= 0) {
    const CItemNode* node = NodeOf(TreeView_GetSelection(tree_));
    if (node != nullptr && !node->isCategory) host_.EditClipText(static_cast<int>(node->id));
    return true;
  }
  if (key == 'N' && ctrl) {
    host_.WriteNote(NodeOf(TreeView_GetSelection(tree_)));
    return true;
  }
  return false;
}

void CClipTreeController::DeleteSelectedRow() {
  const HTREEITEM selected = TreeView_GetSelection(tree_);
  const CItemNode* node = NodeOf(selected);
  if (node == nullptr) return;
  if (node->isCategory && !CategoryMenuFor(*node, HasParentRow(selected)).deleteEnabled) return;
  const MenuTarget target{static_cast<int>(node->id), node->isCategory};
  const std::optional<MenuTarget> neighbour = NeighbourOf(selected);
  RunCommand(node->isCategory ? kCmdDeleteCategory : kCmdDeleteItem, target);
  // A category's question may have been answered No: the row is then still there.
  if (TargetNode(target) == nullptr && neighbour) SelectTarget(*neighbour);
}

std::optional<CClipTreeController::MenuTarget> CClipTreeController::NeighbourOf(
    HTREEITEM row) const {
  HTREEITEM next = TreeView_GetNextSibling(tree_, row);
  if (next == nullptr) next = TreeView_GetPrevSibling(tree_, row);
  if (next == nullptr) next = TreeView_GetParent(tree_, row);
  const CItemNode* node = NodeOf(next);
  if (node == nullptr) return std::nullopt;
  return MenuTarget{static_cast<int>(node->id), node->isCategory};
}

CItemNode* CClipTreeController::TargetNode(MenuTarget target) const {
  CItemNode& root = handler_.Root();
  return target.isCategory ? root.FindMarkedNode(static_cast<unsigned int>(target.id))
                           : FindClipNode(root, target.id);
}

void CClipTreeController::SelectTarget(MenuTarget target) {
  const CItemNode* node =
      target.isCategory ? TargetNode(target) : handler_.MakeRowsThrough(target.id);
  if (node == nullptr || node->treeNode == nullptr) return;
  TreeView_SelectItem(tree_, reinterpret_cast<HTREEITEM>(node->treeNode));
}

void CClipTreeController::EditCategory(int categoryId, int parentId) {
  if (host_.EditCategory(categoryId, parentId)) handler_.RebuildTree();
}

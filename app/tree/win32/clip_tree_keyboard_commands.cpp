// CClipTreeController: the commands that the keyboard reaches without the mouse: the forms
// of "Paste as" by their keys, and the selected row's menu by the context-menu key.

#include "app/tree/win32/clip_tree_controller.h"

#include <windowsx.h>

#include "app/tree/paste_as_keys.h"

bool CClipTreeController::PasteAsKeyDown(WPARAM key) {
  const std::optional<EPasteAs> as =
      PasteAsForKey(static_cast<unsigned int>(key), GetKeyState(VK_CONTROL) < 0,
                    GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0);
  // Shift+Enter is Enter's, which also folds a category.
  if (!as || *as == EPasteAs::kPlainText) return false;
  const CItemNode* node = NodeOf(TreeView_GetSelection(tree_));
  if (node != nullptr && !node->isCategory) {
    host_.PasteClipAs(static_cast<int>(node->id), *as, EPickedBy::kKeyboard);
  }
  return true;
}

bool CClipTreeController::ContextMenuKeyDown(WPARAM key) {
  const bool shiftF10 = key == VK_F10 && GetKeyState(VK_SHIFT) < 0 &&
                        GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
  if (key != VK_APPS && !shiftF10) return false;
  return KeyboardContextMenu(MAKELPARAM(-1, -1));
}

bool CClipTreeController::KeyboardContextMenu(LPARAM point) {
  if (GET_X_LPARAM(point) != -1 || GET_Y_LPARAM(point) != -1) return false;
  const HTREEITEM row = TreeView_GetSelection(tree_);
  const CItemNode* node = NodeOf(row);
  if (node == nullptr) return true;
  TreeView_EnsureVisible(tree_, row);
  RECT line{};
  if (!TreeView_GetItemRect(tree_, row, &line, FALSE)) return true;
  // Below the row, past its icon: the menu hides neither the row nor the rows above it.
  const POINT below{line.left + (line.bottom - line.top), line.bottom};
  const MenuTarget target{static_cast<int>(node->id), node->isCategory, EPickedBy::kKeyboard};
  if (node->isCategory) {
    ShowMenu(MakeCategoryMenu(CategoryMenuFor(*node, HasParentRow(row))), below, target);
  } else {
    ShowMenu(MakeClipboardMenu(ClipboardMenuFor(*node)), below, target);
  }
  return true;
}

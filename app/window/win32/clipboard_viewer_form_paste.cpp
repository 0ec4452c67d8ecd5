// Clips put back on the clipboard from the tree, the popup, quick paste and hot keys, and
// pasted into the program in front.

#include "app/window/win32/clipboard_viewer_form.h"

#include <windowsx.h>

#include "app/paste/win32/paste_target.h"
#include "categories/clipboard_handler.h"

void TClipboardViewerForm::MoveSelectedToClipboard(EPickedBy by) {
  HTREEITEM row = TreeView_GetSelection(tree_);
  if (row == nullptr) return;
  const auto* node =
      static_cast<const CItemNode*>(treeView_->RowData(reinterpret_cast<TTreeNode*>(row)));
  if (node == nullptr || node->isCategory) return;
  MoveClipToClipboard(static_cast<int>(node->id), by);
}

void TClipboardViewerForm::MoveClipToClipboard(int clipId, EPickedBy by) {
  EndSearchForPut();
  FinishPut(handler_->PutItemToClipboard(clipId), by);
}

void TClipboardViewerForm::CopyClipAsPlainText(int clipId, EPickedBy by) {
  EndSearchForPut();
  FinishPut(handler_->PutItemTextToClipboard(clipId), by);
}

void TClipboardViewerForm::EndSearchForPut() {
  listSearch_->Close();    // a paste ends the search
  popupKeyboard_.LetGo();  // and hands the keyboard to its target
}

void TClipboardViewerForm::FinishPut(bool put, EPickedBy by) {
  handler_->RebuildTree();
  dataKeeper_.MarkChanged();
  if (put && state_->PopupMode() && Button_GetCheck(autoPaste_) == BST_CHECKED) {
    PasteIntoTarget(targetWindow_, pasteMethod_);
    state_->PopupPasted(by == EPickedBy::kKeyboard);
    ApplyLayout();
    if (!state_->PopupMode()) PopupClosed();
  }
}

void TClipboardViewerForm::QuickPaste(int position, int categoryId) {
  if (handler_->PutNthItemToClipboard(position, categoryId)) PasteToFocusedControl(pasteMethod_);
}

void TClipboardViewerForm::PasteByHotKey(KeyCombination code) {
  if (handler_->PutItemByHotKey(code)) PasteToFocusedControl(pasteMethod_);
}

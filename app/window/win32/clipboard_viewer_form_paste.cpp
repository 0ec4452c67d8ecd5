// Clips put back on the clipboard from the tree, the popup, quick paste and hot keys, and
// pasted into the program in front.

#include "app/window/win32/clipboard_viewer_form.h"

#include <windowsx.h>

#include "app/paste/win32/paste_target.h"
#include "categories/clipboard_handler.h"

namespace {

// A paste that did not arrive is told without a box in the way (the clip is on the
// clipboard, so the user can paste it by hand): in a balloon of the tray icon, seen also
// while the popup's header or a hidden window keeps the caption line out of sight, and in
// the caption line until the next capture.
void TellPasteResult(HWND caption, CTrayIcon* trayIcon, EPasteResult result) {
  if (const auto notice = PasteFailureNotice(result)) {
    SetWindowTextW(caption, AsWide(notice->c_str()));
    if (trayIcon != nullptr) trayIcon->ShowBalloon(*notice);
  }
}

}  // namespace

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
  const CBaseItem* clip = handler_->FindItem(clipId);
  const bool fromHistory = clip != nullptr && clip->categoryId == kHistoryCategoryId;
  const bool put = handler_->PutItemToClipboard(clipId);
  FinishPut(put, by);
  // A history clip moves to the top: the selection goes with it, not to what took its row.
  if (put && fromHistory) {
    treeController_->SelectClip(clipId);
    selectNewestAfterCapture_ = true;
  }
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
    const EPasteResult pasted = PasteIntoTarget(targetWindow_, pasteMethod_);
    state_->PopupPasted(by == EPickedBy::kKeyboard);
    ApplyLayout();
    if (!state_->PopupMode()) PopupClosed();
    TellPasteResult(label_, trayIcon_.get(), pasted);
  }
}

void TClipboardViewerForm::QuickPaste(int position, int categoryId) {
  if (handler_->PutNthItemToClipboard(position, categoryId)) {
    TellPasteResult(label_, trayIcon_.get(), PasteToFocusedControl(pasteMethod_));
  }
}

void TClipboardViewerForm::PasteByHotKey(KeyCombination code) {
  if (handler_->PutItemByHotKey(code))
    TellPasteResult(label_, trayIcon_.get(), PasteToFocusedControl(pasteMethod_));
}

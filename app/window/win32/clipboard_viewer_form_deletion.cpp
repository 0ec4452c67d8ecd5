// TClipboardViewerForm: the clips the user deletes, which leave the disk at once, the one
// step that brings them back, and the history clips forgotten for their age.

#include <vector>

#include "app/window/win32/clipboard_viewer_form.h"
#include "foundation/day_count.h"

void TClipboardViewerForm::ClipsDeleted() {
  dataKeeper_.EraseSoon();
  ShowHeaderCaption();
}

void TClipboardViewerForm::UndoDelete() {
  if (handler_ == nullptr || !handler_->CanUndoDeletion()) return;
  const std::vector<int> restored = handler_->UndoDeletion();
  handler_->RebuildTree();
  listSearch_->Rebuilt();
  dataKeeper_.MarkChanged();
  ShowHeaderCaption();
  treeController_->SelectClips(restored);
}

void TClipboardViewerForm::ForgetOldClips(std::uint32_t now) {
  lastForgetLook_ = now;
  if (handler_ == nullptr || forgetAfterHours_ <= 0) return;
  if (handler_->ForgetHistoryOlderThan(CurrentDayCount(), forgetAfterHours_) == 0) return;
  handler_->RebuildTree();
  listSearch_->Rebuilt();
  dataKeeper_.EraseSoon();
}

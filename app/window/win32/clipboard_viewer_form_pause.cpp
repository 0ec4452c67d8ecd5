// Pausing capture and clearing the history, from the menu, the hot key and a second start.

#include "app/window/win32/clipboard_viewer_form.h"

#include <string>
#include <string_view>

#include "app/shell/product_info.h"
#include "app/tree/clip_tree_rules.h"
#include "app/window/win32/main_window_messages.h"
#include "categories/clipboard_handler.h"
#include "foundation/question_box.h"

namespace {

std::wstring ProgramTrayTip() {
  const std::string_view edition = kProductEdition;
  const std::string_view version = kVersionText;
  return std::wstring(edition.begin(), edition.end()) + L" " +
         std::wstring(version.begin(), version.end());
}

}  // namespace

void TClipboardViewerForm::TogglePause() {
  SetCapturePaused(!capturePause_.Paused());
}

void TClipboardViewerForm::SetCapturePaused(bool paused) {
  if (paused == capturePause_.Paused()) return;
  if (paused) {
    capturePause_.Pause();
  } else {
    capturePause_.Resume(GetClipboardSequenceNumber());
  }
  ShowCaptureState();
}

void TClipboardViewerForm::ShowCaptureState() {
  ShowTrayIcon();
  CheckMenuItem(mainPopupMenu_.get(), kCommandPauseCapture,
                MF_BYCOMMAND | (capturePause_.Paused() ? MF_CHECKED : MF_UNCHECKED));
  ShowHeaderCaption();
}

void TClipboardViewerForm::ShowTrayIcon() {
  if (!trayIcon_) return;
  trayIcon_->SetIcon(
      capturePause_.Paused() ? resources_->PausedTrayImage() : resources_->TrayImage(),
      capturePause_.TrayTip(ProgramTrayTip()));
}

void TClipboardViewerForm::ClearHistory() {
  // The store is there from the first activation on.
  if (handler_ == nullptr) return;
  if (!AskYesNo(Handle(), ClearQuestion(kHistoryCaption)) || handler_ == nullptr) return;
  if (treeController_) treeController_->HidePreview();
  handler_->ClearCategory(kHistoryCategoryId);
  handler_->RebuildTree();
  listSearch_->Rebuilt();
  ClipsDeleted();
}

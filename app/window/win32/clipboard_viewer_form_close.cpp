// How the main window closes: at once, or after the menu or dialog whose loop heard the
// close; and the steps of the closing sequence.

#include "app/window/win32/clipboard_viewer_form.h"

#include "app/window/win32/main_window_messages.h"
#include "categories/clipboard_handler.h"
#include "foundation/error_box.h"
#include "foundation/settings_storage.h"

void TClipboardViewerForm::Close(ECloseReason reason) {
  if (closed_) return;
  if (CMessageScope::Depth() > 1) {
    DeferClose(reason);
    return;
  }
  if (!RunClosingSequence(*this, reason)) return;
  closed_ = true;
  LeaveToTheSystem();
}

void TClipboardViewerForm::LeaveToTheSystem() {
  // What WM_DESTROY would do, without the destruction: Wine's tree view deletes its rows
  // one at a time, about 100 us each, and 100,000 clips are freed one by one after them.
  KillTimer(Handle(), kTimerId);
  mouseHook_.reset();
  if (trayIcon_) trayIcon_->Remove(CTrayIcon::kRemovalPatience);
  instance_.UnmarkMainWindow(Handle());
  PostQuitMessage(0);
}

void TClipboardViewerForm::DeferClose(ECloseReason reason) {
  // Heard inside a menu's or a dialog's loop, whose command still uses the handler and the
  // tree's controller that closing releases: the close waits until that handler has
  // returned. At the end of the session the process may be ended as soon as this message
  // returns, so the data is saved now.
  if (reason == ECloseReason::kSessionEnd) {
    try {
      SaveData();
    } catch (const std::exception&) {
      // Nothing can wait for the user now; the close itself tries again.
    }
  }
  const bool queued = pendingClose_.has_value();
  if (!queued || reason == ECloseReason::kSessionEnd) pendingClose_ = reason;
  if (queued) return;
  EndMenu();  // a menu is left as if the user had clicked elsewhere; a dialog stays
  const HWND window = Handle();
  AfterOutermostMessage([window] { PostMessageW(window, kDeferredCloseMessage, 0, 0); });
}

void TClipboardViewerForm::StopClipboardWatch() {
  watch_.Stop();
}

void TClipboardViewerForm::StartClipboardWatch() {
  watch_.Start(Handle());
}

void TClipboardViewerForm::SaveData() {
  // Before the first activation nothing was loaded: an empty store must not replace the file.
  if (handler_ == nullptr) {
    dataKeeper_.Stop();
    return;
  }
  dataKeeper_.Save(*handler_);
}

void TClipboardViewerForm::ShowSaveError(const std::string& message) {
  ShowErrorBox(message +
               "\n\nQuillery keeps running with every clip in memory. Make room for the file "
               "(or make its folder writable), then exit again.");
}

void TClipboardViewerForm::ReleaseHandler() {
  if (handler_ == nullptr) return;
  // The data is safe: the window leaves the screen now. The shell is asked at once to take
  // the tray icon away; it is waited for at the end of the close. The handler, its clips
  // and the rows that show them are left to the end of the process (Closed()).
  ShowWindow(Handle(), SW_HIDE);
  if (trayIcon_) trayIcon_->BeginRemoval();
  handler_ = nullptr;
}

void TClipboardViewerForm::WritePosition() {
  const ScreenPoint place = state_->DockedPlace();
  settings_->SetPositionY(place.y);
  settings_->SetPositionX(place.x);
}

void TClipboardViewerForm::ReleaseSettings() {
  settings_ = nullptr;
  Settings::ReleaseSettings();
}

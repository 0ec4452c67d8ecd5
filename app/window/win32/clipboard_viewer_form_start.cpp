// The main window's first activation: the clips loaded, the clipboard watched,
// the tray icon added and the tick started.

#include "app/window/win32/clipboard_viewer_form.h"

#include <string>
#include <string_view>

#include "app/shell/update_check.h"
#include "app/window/first_activation.h"
#include "app/window/win32/main_window_messages.h"
#include "app/window/window_metrics.h"
#include "categories/clipboard_handler.h"
#include "foundation/day_count.h"
#include "foundation/error_box.h"
#include "foundation/settings_storage.h"

void TClipboardViewerForm::FormActivate() {
  if (activated_) return;
  activated_ = true;
  // Each step runs whatever the one before it did: a clip that cannot be shown or settings
  // that cannot be read are told, but must not leave the program deaf to the clipboard
  // and without its tick, capturing nothing at every start.
  auto step = [](auto&& work) {
    try {
      work();
    } catch (...) {
      ReportUiException();
    }
  };
  CClipboardHandler& handler = CreateHandler(treeView_.get(), Handle());
  handler_ = &handler;
  HandLimitsToStore();
  step([&] {
    treeController_ =
        std::make_unique<CClipTreeController>(tree_, *this, handler, settings_->GetSkin(), dpi_);
    FollowTheme();
  });
  handler.SetThumbnailHeight(MainWindowMetricsAt(dpi_).thumbnailHeight);
  ReadDataFile();
  step([&] {
    handler.RebuildTree();
    firstRowToOpen_ = true;
    if ((GetWindowLongPtrW(tree_, GWL_STYLE) & WS_VISIBLE) != 0) OpenFirstRowOnce();
  });
  step([&] { dataKeeper_.Loaded(handler); });
  ShowHeaderCaption();
  step([&] { ForgetOldClips(GetTickCount()); });
  // What is on the clipboard now is announced, and captured, like any later change.
  watch_.Start(Handle());
  // The tray icon comes once the window answers and its clips are loaded: the notification
  // area answers in its own time (Wine's makes its window at the first icon, about 0.2 s),
  // and a start needs nothing of it before.
  // A pause asked for before (by "quillery.exe /pause") shows from the start.
  trayIcon_ = std::make_unique<CTrayIcon>(Handle(), kTrayIconId, kTrayMessage, nullptr, L"");
  ShowTrayIcon();
  trayIcon_->Add();

  step([&] {
    const bool firstRun = settings_->IsFirstLaunch();
    switch (DecideStartAction(firstRun, CurrentDayCount(), settings_->GetLastUpdatesCheck())) {
      case EStartAction::kOpenSettings:
        Settings1Click();
        break;
      case EStartAction::kCheckForUpdates:
        CheckForUpdates(Handle(), *settings_);
        break;
      case EStartAction::kNothing:
        break;
    }
  });
  SetTimer(Handle(), kTimerId, kTimerMilliseconds, nullptr);
  if (damagedNotice_) PostMessageW(Handle(), kDamagedNoticeMessage, 0, 0);
  // Told now, not at the first change that would be lost; the program runs on either way.
  settings_->CheckWritable();
  if (settings_->UnsavedNotice()) {
    PostMessageW(Handle(), kSettingsNoticeMessage, 0, 0);
  }
}

void TClipboardViewerForm::OpenFirstRowOnce() {
  if (!firstRowToOpen_) return;
  firstRowToOpen_ = false;
  if (HTREEITEM first = TreeView_GetRoot(tree_)) TreeView_Expand(tree_, first, TVE_EXPAND);
}

void TClipboardViewerForm::ReadDataFile() {
  const CStoreKeys keys = UnlockDataFiles();
  CDataKeeper::LoadOutcome outcome = dataKeeper_.Load(*handler_, keys);
  damagedNotice_ = std::move(outcome.damagedNotice);
  // What the unlocking found, unless the load already told it.
  if (keys.notice && !keys.locked) {
    damagedNotice_ = damagedNotice_ ? *damagedNotice_ + u"\n\n" + *keys.notice : *keys.notice;
  }
  if (outcome.error) ShowErrorBox(*outcome.error);
}

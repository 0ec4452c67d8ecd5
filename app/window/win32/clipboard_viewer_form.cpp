#include "app/window/win32/clipboard_viewer_form.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/shell/win32/hot_key_form.h"
#include "app/window/win32/accessible_name.h"
#include "app/window/win32/header_button.h"
#include "app/window/win32/main_window_ids.h"
#include "app/window/win32/main_window_messages.h"
#include "app/paste/held_keys.h"
#include "app/window/win32/system_input.h"
#include "app/window/window_metrics.h"
#include "app/window/window_placement.h"
#include "categories/clipboard_handler.h"
#include "dialogs/win32/edit_category_form.h"
#include "dialogs/win32/form_settings.h"
#include "foundation/data_paths.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_reader.h"
#include "foundation/program_list.h"
#include "foundation/settings_storage.h"
#include "foundation/utf8_text.h"
#include "platform/win32/dpi.h"

namespace {

constexpr COLORREF kFrameColor = RGB(168, 124, 64);

}  // namespace

TClipboardViewerForm::TClipboardViewerForm(const CSingleInstance& instance)
    : instance_(instance), dataKeeper_(DataFolder() + u"\\data.dat") {
  settings_ = &Settings::CreateSettings(SettingsFileName(), true);
  LoadSettings();
  // Where it was, unless that place is on no monitor any more; at the sizes of the monitor
  // it opens on.
  const ScreenPoint cursor = CursorPosition();
  const ScreenRect defaultWorkArea = ::WorkAreaAt(cursor);
  auto& store = *settings_;
  const ScreenPoint fallback = DefaultWindowPosition(
      defaultWorkArea, ScaleToDpi(designSettings_.width, DpiAtPoint({cursor.x, cursor.y})));
  const ScreenPoint saved{store.GetPositionX(fallback.x), store.GetPositionY(fallback.y)};
  dpi_ = DpiAtPoint({saved.x, saved.y});
  const CDisplayState::Settings settings = DisplaySettingsAt(designSettings_, dpi_);
  const int headerHeight = MainWindowMetricsAt(dpi_).headerHeight;
  const ScreenRect savedRect{saved.x, saved.y, saved.x + settings.width, saved.y + headerHeight};
  const std::vector<ScreenRect> monitors = MonitorRects();
  const ScreenPoint place = PlaceDockedWindow(saved, settings.width, headerHeight, monitors,
                                              WorkAreaOf(savedRect), defaultWorkArea);
  state_.emplace(place, headerHeight, settings);
}

TClipboardViewerForm::~TClipboardViewerForm() {
  // The controller and the rows go before the handler whose nodes they show.
  treeController_.reset();
  if (tree_ != nullptr) TreeView_DeleteAllItems(tree_);
}

void TClipboardViewerForm::LoadSettings() {
  auto& store = *settings_;
  using namespace Settings;
  CDisplayState::Settings& display = designSettings_;
  display.width = ReadSetting(store, kWindowWidthSetting);
  display.expandedHeight = ReadSetting(store, kWindowHeightSetting);
  display.transparency = static_cast<std::uint8_t>(ReadSetting(store, kWindowTransparencySetting));
  display.monitorVisible =
      ReadSetting(store, kClipboardMonitorVisibleSetting) == kClipboardMonitorShown;
  CMainWindowTick::Settings keys;
  keys.quickPasteMode = ReadSetting(store, kQuickPasteModeSetting);
  keys.primaryHotKey = static_cast<KeyCombination>(ReadSetting(store, kPriHotKeyValueSetting));
  keys.secondaryHotKey = static_cast<KeyCombination>(ReadSetting(store, kSecHotKeyValueSetting));
  keys.pauseHotKey = static_cast<KeyCombination>(ReadSetting(store, kPauseHotKeyValueSetting));
  keys.listHotKey = static_cast<KeyCombination>(ReadSetting(store, kListHotKeyValueSetting));
  tick_.ApplySettings(keys);
  FollowMouseHotKeys();
  pasteMethod_ = ReadPasteMethod(store);
  forgetAfterHours_ = ReadSetting(store, kForgetAfterHoursSetting);
  HandLimitsToStore();
  if (state_) state_->ApplySettings(DisplaySettingsAt(display, dpi_));
  if (tree_ != nullptr) InvalidateRect(tree_, nullptr, TRUE);
  if (treeController_) FollowTheme();
}

void TClipboardViewerForm::HandLimitsToStore() {
  // The store reads no settings: it is handed its limits from here.
  if (handler_ == nullptr) return;
  const Settings::CSettingsStorage& store = *settings_;
  handler_->SetLimits(
      {Settings::ReadSettingAsStored(store, Settings::kClipboardCapacitySetting),
       MaxFormatBytesFromSetting(Settings::ReadSetting(store, Settings::kMaxFormatSizeSetting))});
  handler_->SetCaptureRules({ReadExcludedPrograms(store),
                             Settings::ReadSetting(store, Settings::kKeepDuplicatesSetting) ==
                                 Settings::kKeepDuplicatesOn});
}

bool TClipboardViewerForm::Create() {
  WNDCLASSEXW wc{};
  wc.style = CS_DBLCLKS;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAIN_ICON");
  if (wc.hIcon == nullptr) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  const ScreenRect& bounds = state_->Layout().bounds;
  // A tool window has no taskbar button.
  if (!CWindow::Create(kMainWindowClass, wc, WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW,
                       kMainWindowTitle, WS_POPUP | WS_CLIPCHILDREN, bounds.left, bounds.top,
                       bounds.Width(), bounds.Height())) {
    return false;
  }
  instance_.MarkMainWindow(Handle());
  CreateControls();
  ApplyLayout();

  mainPopupMenu_.reset(CreatePopupMenu());
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandPauseCapture, L"&Pause capture");
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandClearHistory, L"Clear &history");
  AppendMenuW(mainPopupMenu_.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandSettings, L"&Settings");
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandCheckForUpdates, L"Check for &updates");
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandAbout, L"&About");
  AppendMenuW(mainPopupMenu_.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandExit, L"E&xit");

  // Posted, so that it runs once the message loop does, shown or not.
  PostMessageW(Handle(), kFirstActivationMessage, 0, 0);
  return true;
}

void TClipboardViewerForm::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  resources_ = std::make_unique<CMainWindowResources>(dpi_);
  framePen_.reset(CreatePen(PS_SOLID, 1, kFrameColor));

  auto child = [&](const wchar_t* className, const wchar_t* text, DWORD style, int id) {
    HWND control =
        CreateWindowExW(0, className, text, WS_CHILD | style, 0, 0, 0, 0, Handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(resources_->FormFont()), FALSE);
    return control;
  };
  // The label lets the mouse through to the window, whose header drags it.
  label_ = child(L"STATIC", L"", SS_OWNERDRAW | SS_NOPREFIX, kIdClipboardContent);
  pinButton_ = child(L"BUTTON", kPinButtonName, BS_OWNERDRAW, kIdPin);
  openButton_ = child(L"BUTTON", kOpenButtonName, BS_OWNERDRAW, kIdOpenClipboard);
  autoPaste_ = child(L"BUTTON", L"Paste to active app", BS_AUTOCHECKBOX, kIdAutoPaste);
  Button_SetCheck(autoPaste_, BST_CHECKED);
  // The tree's window text is drawn by no one: it is its name for screen readers.
  tree_ = child(WC_TREEVIEWW, L"Clips", TVS_NOTOOLTIPS | TVS_SINGLEEXPAND | TVS_SHOWSELALWAYS,
                kIdItemsTree);
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(resources_->TreeFont()), FALSE);
  TreeView_SetExtendedStyle(tree_, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
  TreeView_SetIndent(tree_, MainWindowMetricsAt(dpi_).treeIndent);
  treeView_ = std::make_unique<CWin32TreeView>(tree_);
  CListSearchPort& searchPort = *this;
  listSearch_ = std::make_unique<CListSearch>(Handle(), kIdSearchField, tree_,
                                              resources_->FormFont(), searchPort,
                                              [this]() -> CClipboardHandler& { return *handler_; });
  // The field's text is the search; its name comes by annotation, where the system has it.
  SetAccessibleName(listSearch_->Field(), L"Search clips");

  RECT client{};
  GetClientRect(Handle(), &client);
  LayoutChildren(client.right, client.bottom);
}

void TClipboardViewerForm::WMDrawClipboard(WPARAM wParam, LPARAM lParam) {
  // The next viewer hears of the change whatever the capture does, also when it throws.
  const CPassOnChange passOn(watch_.Chain(), wParam, lParam);
  ClipboardChanged();
}

void TClipboardViewerForm::ClipboardChanged() {
  // Watching again (after a close that could not save) may announce the content that
  // was already taken; so may a repeated notice, or the notice of a change that the last
  // capture already read because the clipboard changed again before it could open it.
  // Only a new content is captured, and none while capture is paused.
  if (handler_ != nullptr && capturePause_.TakeChange(*handler_, Handle())) {
    // A new clip ends what Ctrl+Z could bring back.
    if (handler_->LastCaptureSequence() != 0) handler_->DropUndo();
    dataKeeper_.MarkChanged();
    capturesUnshown_ = true;
  }
  // In a burst of copies the notice of the next one is waiting already: the header and the
  // list show the captures once, after the last of them. Copies from X11 programs reach the
  // system's clipboard one at a time, and one made while the capture is still busy is gone.
  if (capturesUnshown_ && !watch_.NoticeWaiting()) ShowCaptures();
}

void TClipboardViewerForm::ShowCaptures() {
  capturesUnshown_ = false;
  if (handler_ == nullptr) return;
  // While paused, only a clip put back from the list is taken.
  ShowHeaderCaption();
  handler_->RebuildTree();
  if (std::exchange(selectNewestAfterCapture_, false)) SelectNewestClip();
  listSearch_->Rebuilt();
}

void TClipboardViewerForm::Timer1Timer() {
  if (closed_) return;
  const bool wasPopup = state_->PopupMode();
  const bool wasOpenPopup = state_->PopupListOpen();
  tick_.Tick(*state_, *this);
  // A window going to a monitor of another dpi (the popup's way back to its docked place)
  // takes that monitor's sizes before it goes.
  if (applied_ && state_->Layout().bounds != applied_->bounds) TakeDpiOfPlace();
  ApplyLayout();
  const bool openPopup = state_->PopupListOpen();
  if (state_->PopupMode() != wasPopup) {
    if (wasPopup) {
      PopupClosed();
    } else {
      PopupOpened();
    }
  } else if (openPopup && !wasOpenPopup) {
    PopupOpened();  // a popup folded after a paste opened again
  } else if (!state_->Expanded()) {
    listSearch_->Close();  // the list folded away
  }
  if (state_->PopupMode()) popupKeyboard_.Tick();
  FollowPasteAsRestore();
  if (GetTickCount() - lastForgetLook_ >= kForgetLookMs) ForgetOldClips(GetTickCount());
  if (handler_ != nullptr) dataKeeper_.Poll(*handler_, GetTickCount());
  if (auto notice = dataKeeper_.TakeSaveNotice()) {
    // Told from the message loop, not inside the tick.
    damagedNotice_ = damagedNotice_ ? *damagedNotice_ + u"\n\n" + *notice : *notice;
    PostMessageW(Handle(), kDamagedNoticeMessage, 0, 0);
  }
}

void TClipboardViewerForm::Settings1Click() {
  // The dialog edits the store's categories: it waits for the first activation's load.
  if (handler_ == nullptr) return;
  const std::uint64_t revision = handler_->Revision();
  TFormSettings dialog(Handle(), *handler_, *settings_);
  const bool accepted = dialog.ExecuteSettings(CategoriesIcons());
  // A category deleted there took its clips, which leave the disk at once; a change of
  // the categories is simply saved early.
  if (handler_->Revision() != revision) ClipsDeleted();
  if (accepted) {
    if (auto& change = dialog.EncryptionChange()) ApplyEncryptionChange(std::move(*change));
    LoadSettings();
    state_->ShowAsSettingsSay();
    ApplyLayout();
    ForgetOldClips(GetTickCount());  // a shorter age takes effect at once
  }
  handler_->RebuildTree();
}

bool TClipboardViewerForm::EditCategory(int categoryId, int parentId) {
  TEditCategoryForm editor(Handle(), *handler_);
  const bool changed = editor.ExecuteEditor(CategoriesIcons(), categoryId, parentId);
  if (changed) dataKeeper_.MarkChanged();
  return changed;
}

std::optional<KeyCombination> TClipboardViewerForm::AskHotKey(KeyCombination current) {
  dataKeeper_.MarkChanged();  // the caller stores the answer
  return RunHotKeyForm(Handle(), current);
}

std::optional<std::uint32_t> TClipboardViewerForm::LastInputTime() {
  return ::LastInputTime();
}

ScreenPoint TClipboardViewerForm::CursorPos() {
  return CursorPosition();
}

ScreenRect TClipboardViewerForm::WorkAreaAt(ScreenPoint point) {
  return ::WorkAreaAt(point);
}

HeldKeys TClipboardViewerForm::ReadKeys() {
  return ReadHeldKeys();
}

bool TClipboardViewerForm::IsKeyDown(int virtualKey) {
  return IsKeyHeld(virtualKey);
}

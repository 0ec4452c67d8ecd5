#include "app/window/clipboard_viewer_form.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "app/shell/about_box.h"
#include "app/window/first_activation.h"
#include "app/window/header_button.h"
#include "app/shell/hot_key_form.h"
#include "app/window/load_notice.h"
#include "app/window/main_window_ids.h"
#include "app/window/window_metrics.h"
#include "app/window/search_field_layout.h"
#include "app/paste/paste_target.h"
#include "app/shell/product_info.h"
#include "app/window/system_input.h"
#include "app/shell/update_check.h"
#include "categories/clipboard_handler.h"
#include "dialogs/category_icons.h"
#include "dialogs/edit_category_form.h"
#include "dialogs/form_settings.h"
#include "foundation/data_paths.h"
#include "foundation/day_count.h"
#include "foundation/error_box.h"
#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "foundation/utf8_text.h"
#include "platform/win32/dpi.h"

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMilliseconds = 10;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kFirstActivationMessage = WM_APP + 2;
constexpr UINT kDamagedNoticeMessage = WM_APP + 3;
constexpr UINT kSettingsNoticeMessage = WM_APP + 4;
constexpr UINT kDeferredCloseMessage = WM_APP + 5;
constexpr UINT kTrayIconId = 1;
constexpr DWORD kKeyboardHoldMilliseconds = 400;

enum EMainMenuCommand : int {
  kCommandSettings = 1001,
  kCommandCheckForUpdates,
  kCommandAbout,
  kCommandExit,
};

constexpr COLORREF kFrameColor = RGB(168, 124, 64);

std::filesystem::path DataFilePath() { return DataFolder() + u"\\data.dat"; }

std::wstring WideFromAscii(std::string_view text) { return {text.begin(), text.end()}; }

ScreenRect WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

void ShowChild(HWND child, bool visible) { ShowWindow(child, visible ? SW_SHOWNA : SW_HIDE); }

void MoveChild(HWND child, const ScreenRect& rect) {
  MoveWindow(child, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

RECT RectOf(const ScreenRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// The notification area is the taskbar's, on the primary monitor (which holds the point
// 0, 0), whatever the monitor of the window.
int TrayDpi() {
  return DpiAtPoint(POINT{0, 0});
}

}  // namespace

TClipboardViewerForm::TClipboardViewerForm(const CSingleInstance& instance) : instance_(instance) {
  Settings::CreateSettings(SettingsFileName(), true);
  LoadSettings();
  // Where it was, unless that place is on no monitor any more; at the sizes of the monitor
  // it opens on.
  const ScreenPoint cursor = CursorPosition();
  const ScreenRect defaultWorkArea = ::WorkAreaAt(cursor);
  auto& store = Settings::SettingsInstance();
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
  autoSaver_ = std::make_unique<CAutoSaver>(DataFilePath());
  dataFileGuard_ = std::make_unique<CDataFileGuard>(DataFilePath());
}

TClipboardViewerForm::~TClipboardViewerForm() {
  // The controller and the rows go before the handler whose nodes they show.
  treeController_.reset();
  if (tree_ != nullptr) TreeView_DeleteAllItems(tree_);
}

void TClipboardViewerForm::LoadSettings() {
  auto& store = Settings::SettingsInstance();
  using namespace Settings;
  CDisplayState::Settings& display = designSettings_;
  display.width = std::clamp(store.GetWindowWidth(kWindowWidthDefault), kWindowWidthMin,
                             kWindowWidthMax);
  display.expandedHeight = std::clamp(store.GetWindowHeight(kWindowHeightDefault),
                                      kWindowHeightMin, kWindowHeightMax);
  display.transparency = static_cast<std::uint8_t>(
      std::clamp(store.GetInt(kWindowTransparency, kWindowTransparencyDefault),
                 kWindowTransparencyMin, kWindowTransparencyMax));
  display.monitorVisible = store.GetInt(kClipboardMonitorVisible, kClipboardMonitorVisibleDefault) ==
                           kClipboardMonitorShown;
  CMainWindowTick::Settings keys;
  keys.quickPasteMode = std::clamp(store.GetInt(kQuickPasteMode, kQuickPasteModeDefault),
                                   kQuickPasteModeMin, kQuickPasteModeMax);
  keys.primaryHotKey =
      static_cast<KeyCombination>(store.GetInt(kPriHotKeyValue, kPriHotKeyValueDefault));
  keys.secondaryHotKey =
      static_cast<KeyCombination>(store.GetInt(kSecHotKeyValue, kSecHotKeyValueDefault));
  tick_.ApplySettings(keys);
  pasteMethod_ = PasteMethodFromSetting(store.GetInt(kPasteMethod, kPasteMethodDefault));
  if (state_) state_->ApplySettings(DisplaySettingsAt(display, dpi_));
  if (tree_ != nullptr) InvalidateRect(tree_, nullptr, TRUE);
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
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandSettings, L"Settings");
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandCheckForUpdates, L"Check for updates");
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandAbout, L"About");
  AppendMenuW(mainPopupMenu_.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(mainPopupMenu_.get(), MF_STRING, kCommandExit, L"Exit");

  // Posted, so that it runs once the message loop does, shown or not.
  PostMessageW(Handle(), kFirstActivationMessage, 0, 0);
  return true;
}

HICON TClipboardViewerForm::LoadTrayImage() {
  const int side = SmallIconSide(TrayDpi());
  trayImage_.reset(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"MAIN_ICON", IMAGE_ICON, side, side, 0)));
  if (!trayImage_) return LoadIconW(nullptr, IDI_APPLICATION);
  return trayImage_.get();
}

void TClipboardViewerForm::MakeDpiResources() {
  const MainWindowMetrics metrics = MainWindowMetricsAt(dpi_);
  formFont_ = MakeFont(L"Tahoma", metrics.formFontHeight, kDesignDpi);
  treeFont_ = MakeFont(L"Tahoma", metrics.treeFontHeight, kDesignDpi);
  categoriesIcons_ = LoadCategoriesIcons(metrics.iconSide);
  moreIcons_ = LoadMoreIcons(metrics.iconSide);
}

void TClipboardViewerForm::ChangeDpi(int dpi, ScreenPoint place) {
  dpi_ = UsableDpi(dpi);
  const MainWindowMetrics metrics = MainWindowMetricsAt(dpi_);
  state_->Rescale(DisplaySettingsAt(designSettings_, dpi_), metrics.headerHeight, place);
  // The controls hold the old fonts until they are given the new ones.
  const UniqueFont oldFormFont = std::move(formFont_);
  const UniqueFont oldTreeFont = std::move(treeFont_);
  MakeDpiResources();
  for (HWND child : {label_, pinButton_, openButton_, autoPaste_}) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), TRUE);
  }
  if (listSearch_) {
    SendMessageW(listSearch_->Field(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), TRUE);
  }
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont_.get()), TRUE);
  TreeView_SetIndent(tree_, metrics.treeIndent);
  if (treeController_) treeController_->ChangeDpi(Settings::SettingsInstance().GetSkin(), dpi_);
  if (handlerCreated_) {
    GetHandler().SetThumbnailHeight(metrics.thumbnailHeight);
    GetHandler().RebuildTree();
  }
  // WM_SIZE lays the controls out only when the window's size changes; their scaled
  // places change with the dpi all the same.
  const ScreenRect& bounds = state_->Layout().bounds;
  LayoutChildren(bounds.Width(), bounds.Height());
  if (trayIcon_) trayIcon_->SetIcon(LoadTrayImage());
}

void TClipboardViewerForm::TakeDpiOfPlace() {
  const ScreenRect& bounds = state_->Layout().bounds;
  const int dpi = DpiOfRect(RectOf(bounds));
  if (dpi != dpi_) ChangeDpi(dpi, {bounds.left, bounds.top});
}

void TClipboardViewerForm::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  MakeDpiResources();
  framePen_.reset(CreatePen(PS_SOLID, 1, kFrameColor));

  auto child = [&](const wchar_t* className, const wchar_t* text, DWORD style, int id) {
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | style, 0, 0, 0, 0, Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    return control;
  };
  // The label lets the mouse through to the window, whose header drags it.
  label_ = child(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, kIdClipboardContent);
  pinButton_ = child(L"BUTTON", L"", BS_OWNERDRAW, kIdPin);
  openButton_ = child(L"BUTTON", L"", BS_OWNERDRAW, kIdOpenClipboard);
  autoPaste_ = child(L"BUTTON", L"Paste to active app", BS_AUTOCHECKBOX, kIdAutoPaste);
  Button_SetCheck(autoPaste_, BST_CHECKED);
  tree_ = child(WC_TREEVIEWW, L"", TVS_NOTOOLTIPS | TVS_SINGLEEXPAND | TVS_SHOWSELALWAYS,
                kIdItemsTree);
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont_.get()), FALSE);
  TreeView_SetExtendedStyle(tree_, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
  TreeView_SetIndent(tree_, MainWindowMetricsAt(dpi_).treeIndent);
  treeView_ = std::make_unique<CWin32TreeView>(tree_);
  CListSearchPort& searchPort = *this;
  listSearch_ = std::make_unique<CListSearch>(Handle(), kIdSearchField, tree_, formFont_.get(),
                                              searchPort);

  RECT client{};
  GetClientRect(Handle(), &client);
  LayoutChildren(client.right, client.bottom);
}

void TClipboardViewerForm::LayoutChildren(int clientWidth, int clientHeight) {
  if (label_ == nullptr) return;
  const MainWindowChildren children = MainWindowChildrenAt(clientWidth, clientHeight, dpi_);
  MoveChild(label_, children.label);
  MoveChild(pinButton_, children.pin);
  MoveChild(openButton_, children.openButton);
  MoveChild(autoPaste_, children.autoPaste);
  MoveChild(tree_, children.tree);
  PlaceSearchField();
}

void TClipboardViewerForm::PlaceSearchField() {
  if (!listSearch_ || !state_) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const bool popup = state_->PopupMode();
  const int left = ScaleToDpi(popup ? kSearchFieldPopupLeft : kSearchFieldDockedLeft, dpi_);
  const int right =
      client.right - ScaleToDpi(popup ? kSearchFieldRightMargin : kSearchFieldDockedRightMargin, dpi_);
  MoveWindow(listSearch_->Field(), left, ScaleToDpi(kSearchFieldTop, dpi_), std::max(0, right - left),
             ScaleToDpi(kSearchFieldHeight, dpi_), TRUE);
}

void TClipboardViewerForm::ApplyLayout() {
  const WindowLayout& want = state_->Layout();
  const bool all = !applied_;
  if (all || want.alpha != applied_->alpha) {
    SetLayeredWindowAttributes(Handle(), 0, want.alpha, LWA_ALPHA);
  }
  if (all || want.bounds != applied_->bounds) {
    SetWindowPos(Handle(), HWND_TOPMOST, want.bounds.left, want.bounds.top, want.bounds.Width(),
                 want.bounds.Height(), SWP_NOACTIVATE);
  }
  const bool searchOpen = listSearch_->FieldOpen();
  if (all || want.labelVisible != applied_->labelVisible || searchOpen != appliedSearchOpen_ ||
      want.autoPasteVisible != applied_->autoPasteVisible) {
    // Docked, the field takes the caption's place; in the popup it sits beside the check box.
    PlaceSearchField();
    ShowChild(label_, want.labelVisible && !searchOpen);
    ShowChild(listSearch_->Field(), searchOpen);
  }
  if (all || want.openButtonVisible != applied_->openButtonVisible) {
    ShowChild(openButton_, want.openButtonVisible);
  }
  if (all || want.pinVisible != applied_->pinVisible) ShowChild(pinButton_, want.pinVisible);
  if (all || want.autoPasteVisible != applied_->autoPasteVisible) {
    ShowChild(autoPaste_, want.autoPasteVisible);
  }
  if (all || want.treeVisible != applied_->treeVisible) {
    if (want.treeVisible) OpenFirstRowOnce();
    ShowChild(tree_, want.treeVisible);
  }
  if ((!want.treeVisible || !want.windowVisible) && treeController_) treeController_->HidePreview();
  if (all || want.windowVisible != applied_->windowVisible) {
    ShowWindow(Handle(), want.windowVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
  }
  if (all || state_->OpenDown() != appliedOpenDown_) InvalidateRect(openButton_, nullptr, FALSE);
  if (all || state_->PinDown() != appliedPinDown_) InvalidateRect(pinButton_, nullptr, FALSE);
  applied_ = want;
  appliedSearchOpen_ = searchOpen;
  appliedOpenDown_ = state_->OpenDown();
  appliedPinDown_ = state_->PinDown();
}

LRESULT TClipboardViewerForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT showListMessage = RegisterWindowMessageW(kShowListMessageName);
  switch (message) {
    case WM_DRAWCLIPBOARD:
      WMDrawClipboard(wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      chain_.OnChangeChain(wParam, lParam);
      return 0;
    case WM_NCHITTEST:
      return WMNCHitTest(lParam);
    case WM_MOVE:
      if (state_) {
        const ScreenRect rect = WindowRectOf(Handle());
        state_->MovedTo({rect.left, rect.top});
      }
      return 0;
    case WM_SIZE:
      LayoutChildren(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_DPICHANGED: {
      // Dragged onto a monitor of another dpi, or that monitor's scale changed: the window
      // goes where the system suggests, at the sizes of the new dpi. A window that took the
      // dpi of its new place before it went there has it already.
      const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
      if (LOWORD(wParam) != dpi_) {
        ChangeDpi(LOWORD(wParam), {suggested.left, suggested.top});
        ApplyLayout();
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTimerId) Timer1Timer();
      return 0;
    case WM_PAINT:
      PaintFrame();
      return 0;
    case WM_CTLCOLORSTATIC: {
      // The label and the check box show the window's own background.
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw.hwndItem == pinButton_) DrawHeaderButton(draw, EHeaderGlyph::kPin, state_->PinDown());
      if (draw.hwndItem == openButton_) {
        DrawHeaderButton(draw, EHeaderGlyph::kOpenList, state_->OpenDown());
      }
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kIdOpenClipboard:
          if (HIWORD(wParam) == BN_CLICKED) {
            state_->ToggleOpen();
            BtOpenClipboardClick();
          }
          break;
        case kIdPin:
          if (HIWORD(wParam) == BN_CLICKED) {
            state_->SetPinDown(!state_->PinDown());
            BtOpenClipboardClick();
          }
          break;
        case kIdSearchField:
          if (HIWORD(wParam) == EN_CHANGE) {
            if (treeController_) treeController_->HidePreview();
            listSearch_->TextChanged();
          }
          break;
        case kCommandSettings: Settings1Click(); break;
        case kCommandCheckForUpdates: CheckForUpdates(Handle()); break;
        case kCommandAbout: ShowAboutBox(Handle()); break;
        case kCommandExit: Close(ECloseReason::kExit); break;
      }
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == tree_ && treeController_) {
        bool handled = false;
        const LRESULT result = treeController_->OnNotify(header, handled);
        if (handled) return result;
      }
      return 0;
    }
    case WM_NCRBUTTONDOWN:
      // The header is a caption (WMNCHitTest). Wine's default handling of a right press on
      // a caption follows the button in a loop of its own and then judges the release by
      // the frame the window does not have, so no WM_CONTEXTMENU ever comes; the release
      // itself opens the menu instead, on both systems.
      if (wParam == HTCAPTION) return 0;
      return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_NCRBUTTONUP:
      if (wParam == HTCAPTION) {
        ShowMainPopupMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      }
      return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_CONTEXTMENU:
      // The menu key, or a right click on the header that reached the window as a client
      // click (the label lets the mouse through to the window).
      if (reinterpret_cast<HWND>(wParam) == Handle()) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (point.x == -1 && point.y == -1) GetCursorPos(&point);
        ShowMainPopupMenu(point);
      }
      return 0;
    case kTrayMessage:
      if (LOWORD(lParam) == WM_LBUTTONDBLCLK) {
        TrayIcon1DblClick();
      } else if (LOWORD(lParam) == WM_RBUTTONUP || LOWORD(lParam) == WM_CONTEXTMENU) {
        POINT point{};
        GetCursorPos(&point);
        ShowMainPopupMenu(point);
      }
      return 0;
    case kFirstActivationMessage:
      FormActivate();
      return 0;
    case kDamagedNoticeMessage:
      if (damagedNotice_) {
        const std::u16string text = std::exchange(damagedNotice_, std::nullopt).value();
        MessageBoxW(Handle(), AsWide(text.c_str()), kMainWindowTitle, MB_OK | MB_ICONWARNING);
      }
      return 0;
    case kSettingsNoticeMessage:
      if (auto notice = Settings::SettingsInstance().TakeUnsavedNotice()) ShowErrorBox(*notice);
      return 0;
    case WM_CLOSE:
      Close(ECloseReason::kExit);
      return 0;
    case kDeferredCloseMessage:
      if (pendingClose_) Close(std::exchange(pendingClose_, std::nullopt).value());
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE) Close(ECloseReason::kSessionEnd);
      return 0;
    case WM_DESTROY:
      KillTimer(Handle(), kTimerId);
      // The wait for the shell comes when the form goes, after the window.
      if (trayIcon_) trayIcon_->BeginRemoval();
      instance_.UnmarkMainWindow(Handle());
      return 0;
    default:
      if (message == showListMessage) {
        ShowList();
        return 0;
      }
      if (message == CTrayIcon::TaskbarCreatedMessage() && trayIcon_) {
        trayIcon_->Add();
        return 0;
      }
      return DefWindowProcW(Handle(), message, wParam, lParam);
  }
}

void TClipboardViewerForm::OnDestroyed() { PostQuitMessage(0); }

void TClipboardViewerForm::PaintFrame() {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  SelectGuard pen(paint.get(), framePen_.get());
  SelectGuard brush(paint.get(), GetStockObject(NULL_BRUSH));
  Rectangle(paint.get(), client.left, client.top, client.right, client.bottom);
}

LRESULT TClipboardViewerForm::WMNCHitTest(LPARAM lParam) const {
  const ScreenPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const ScreenRect window = WindowRectOf(Handle());
  const ScreenRect pin = WindowRectOf(pinButton_);
  // The pin's place, whether it is shown or not.
  const int pinLeft = pin.left - window.left;
  const int pinHeight = pin.bottom - window.top;
  return IsInDragZone(point, {window.left, window.top}, pinLeft, pinHeight) ? HTCAPTION : HTCLIENT;
}

void TClipboardViewerForm::FormActivate() {
  if (activated_) return;
  activated_ = true;
  // Each step runs whatever the one before it did: a clip that cannot be shown or settings
  // that cannot be read are told, but must not leave the program outside the viewer chain
  // and without its tick, capturing nothing at every start.
  auto step = [](auto&& work) {
    try {
      work();
    } catch (...) {
      ReportUiException();
    }
  };
  CClipboardHandler& handler = CreateHandler(treeView_.get(), Handle());
  handlerCreated_ = true;
  step([&] {
    treeController_ = std::make_unique<CClipTreeController>(
        tree_, *this, Settings::SettingsInstance().GetSkin(), dpi_);
  });
  handler.SetThumbnailHeight(MainWindowMetricsAt(dpi_).thumbnailHeight);
  ReadDataFile();
  step([&] {
    handler.RebuildTree();
    firstRowToOpen_ = true;
    if ((GetWindowLongPtrW(tree_, GWL_STYLE) & WS_VISIBLE) != 0) OpenFirstRowOnce();
  });
  step([&] { autoSaver_->Reset(handler); });
  // Joining brings the first WM_DRAWCLIPBOARD at once: what is on the clipboard now is
  // captured like any later change.
  chain_.Join(Handle());
  // The tray icon comes once the window answers and its clips are loaded: the notification
  // area answers in its own time (Wine's makes its window at the first icon, about 0.2 s),
  // and a start needs nothing of it before.
  trayIcon_ = std::make_unique<CTrayIcon>(
      Handle(), kTrayIconId, kTrayMessage, LoadTrayImage(),
      WideFromAscii(kProductEdition) + L" " + WideFromAscii(kVersionText));
  trayIcon_->Add();

  step([&] {
    const bool firstRun = Settings::SettingsInstance().IsFirstLaunch();
    switch (DecideStartAction(firstRun, CurrentDayCount(),
                              Settings::SettingsInstance().GetLastUpdatesCheck())) {
      case EStartAction::kOpenSettings: Settings1Click(); break;
      case EStartAction::kCheckForUpdates: CheckForUpdates(Handle()); break;
      case EStartAction::kNothing: break;
    }
  });
  SetTimer(Handle(), kTimerId, kTimerMilliseconds, nullptr);
  if (damagedNotice_) PostMessageW(Handle(), kDamagedNoticeMessage, 0, 0);
  // Told now, not at the first change that would be lost; the program runs on either way.
  Settings::SettingsInstance().CheckWritable();
  if (Settings::SettingsInstance().UnsavedNotice()) {
    PostMessageW(Handle(), kSettingsNoticeMessage, 0, 0);
  }
}

void TClipboardViewerForm::OpenFirstRowOnce() {
  if (!firstRowToOpen_) return;
  firstRowToOpen_ = false;
  if (HTREEITEM first = TreeView_GetRoot(tree_)) TreeView_Expand(tree_, first, TVE_EXPAND);
}

void TClipboardViewerForm::ReadDataFile() {
  const std::filesystem::path path = DataFilePath();
  try {
    GetHandler().LoadFromFile(path);
    damagedNotice_ = DamagedFileNotice(GetHandler().LastLoad());
    dataFileGuard_->Loaded(GetHandler().LastLoad());
    // What the last run changed after its last save, if it ended without saving.
    if (dataFileGuard_->SaveAllowed()) {
      autoSaver_->RecoverJournal(GetHandler(), GetHandler().LastLoad().fileDigest);
    }
  } catch (const std::exception& error) {
    // The store is empty now; saving it would put nothing in the place of the file. Keep
    // the file beside, or save nothing over it until that can be done.
    std::string text = error.what();
    const std::filesystem::path copy = dataFileGuard_->LoadFailed();
    if (copy.empty()) {
      text += "\n\nQuillery will not save over this file until it can keep a copy of it.";
    } else {
      text += "\n\nThe file is kept as " + Utf8FromUtf16(copy.u16string()) + ".";
    }
    ShowErrorBox(text);
  }
}

void TClipboardViewerForm::WMDrawClipboard(WPARAM wParam, LPARAM lParam) {
  // The next viewer hears of the change whatever the capture does, also when it throws.
  const CPassOnChange passOn(chain_, wParam, lParam);
  // Joining the chain again (after a close that could not save) announces the content that
  // was already taken; so may a repeated notice, or the notice of a change that the last
  // capture already read because the clipboard changed again before it could open it.
  // Only a new content is captured.
  const DWORD sequence = GetClipboardSequenceNumber();
  const bool seen =
      handlerCreated_ && sequence != 0 && sequence == GetHandler().LastCaptureSequence();
  if (handlerCreated_ && !seen) {
    CClipboardHandler& handler = GetHandler();
    handler.CaptureClipboard();
    SetWindowTextW(label_, AsWide(handler.LastCaption().c_str()));
    handler.RebuildTree();
    listSearch_->Rebuilt();
    autoSaver_->MarkChanged();
  }
}

void TClipboardViewerForm::Timer1Timer() {
  if (closed_) return;
  const bool wasPopup = state_->PopupMode();
  tick_.Tick(*state_, *this);
  // A window going to a monitor of another dpi (the popup's way back to its docked place)
  // takes that monitor's sizes before it goes.
  if (applied_ && state_->Layout().bounds != applied_->bounds) TakeDpiOfPlace();
  ApplyLayout();
  if (state_->PopupMode() != wasPopup) {
    if (wasPopup) {
      PopupClosed();
    } else {
      PopupOpened();
    }
  } else if (!state_->Expanded()) {
    listSearch_->Close();  // the list folded away
  }
  if (state_->PopupMode()) {
    TakeKeyboard();
    HoldKeyboard();
  }
  if (handlerCreated_ && dataFileGuard_->SaveAllowed()) {
    autoSaver_->Poll(GetHandler(), GetTickCount());
  }
}

void TClipboardViewerForm::BtOpenClipboardClick() {
  state_->SetExpanded(state_->OpenDown());
  ApplyLayout();
}

void TClipboardViewerForm::TrayIcon1DblClick() {
  state_->ToggleOpen();
  ApplyLayout();
}

void TClipboardViewerForm::Settings1Click() {
  TFormSettings dialog(Handle(), GetHandler(), Settings::SettingsInstance());
  if (dialog.ExecuteSettings(CategoriesIcons())) {
    LoadSettings();
    state_->ShowAsSettingsSay();
    ApplyLayout();
  }
  if (handlerCreated_) GetHandler().RebuildTree();
}

void TClipboardViewerForm::ShowMainPopupMenu(POINT point) {
  // Without this the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(Handle());
  TrackPopupMenuEx(mainPopupMenu_.get(), TPM_RIGHTBUTTON, point.x, point.y, Handle(), nullptr);
  PostMessageW(Handle(), WM_NULL, 0, 0);
}

void TClipboardViewerForm::ShowList() {
  if (!activated_ || closed_) return;
  RememberTarget();
  const ScreenPoint cursor = CursorPosition();
  // The popup has the sizes of the monitor under the cursor.
  const int dpi = DpiAtPoint({cursor.x, cursor.y});
  if (!state_->PopupMode() && dpi != dpi_) {
    const ScreenRect& bounds = state_->Layout().bounds;
    ChangeDpi(dpi, {bounds.left, bounds.top});
  }
  const bool opened = state_->ShowPopup(cursor, ::WorkAreaAt(cursor));
  state_->SetExpanded(true);
  ApplyLayout();
  SetForegroundWindow(Handle());
  if (opened) PopupOpened();
}

void TClipboardViewerForm::PopupOpened() {
  listSearch_->Close();
  if (!handlerCreated_) return;
  // Opened from the keyboard, it is driven by the keyboard: from the newest clip on.
  CItemNode& root = GetHandler().Root();
  auto history = root.children.find(static_cast<unsigned int>(kHistoryCategoryId));
  if (history != root.children.end() && !history->second->order.empty()) {
    TreeView_SelectItem(tree_,
                        reinterpret_cast<HTREEITEM>(history->second->order.front()->treeNode));
  }
  keyboardWanted_ = true;
  TakeKeyboard();
}

void TClipboardViewerForm::TakeKeyboard() {
  // Once the keys of the hot key are let go: the program in front then sees them go up
  // itself, and does not keep them down (Ctrl+Alt held would spoil the paste's Ctrl+V).
  if (!keyboardWanted_ || ReadHeldKeys().code != 0) return;
  keyboardWanted_ = false;
  keyboardSince_ = GetTickCount();
  if (BringToFront(Handle())) SetFocus(tree_);
}

void TClipboardViewerForm::HoldKeyboard() {
  // Under Wine the program that was in front can take the keyboard back a moment after
  // the popup took it (its X11 window still held the X input focus): for a short while the
  // popup takes it again.
  if (!keyboardSince_ || GetTickCount() - *keyboardSince_ > kKeyboardHoldMilliseconds) {
    keyboardSince_.reset();
    return;
  }
  if (GetForegroundWindow() == Handle()) return;
  SetForegroundWindow(Handle());
  if (GetForegroundWindow() == Handle()) {
    SetFocus(listSearch_->FieldOpen() ? listSearch_->Field() : tree_);
  }
}

void TClipboardViewerForm::PopupClosed() {
  keyboardWanted_ = false;
  keyboardSince_.reset();
  if (treeController_) treeController_->HidePreview();
  listSearch_->Close();
  // The keyboard goes back to the program that was in front before the popup.
  if (GetForegroundWindow() == Handle() && IsWindow(targetWindow_)) {
    SetForegroundWindow(targetWindow_);
  }
}

void TClipboardViewerForm::OpenSearch() { listSearch_->OpenField(); }

void TClipboardViewerForm::TypeToSearch(wchar_t character) { listSearch_->Type(character); }

void TClipboardViewerForm::EscapePressed() { listSearch_->Escape(); }

void TClipboardViewerForm::SearchFieldShown() { ApplyLayout(); }

void TClipboardViewerForm::SearchEnter() {
  if (treeController_) treeController_->ActivateSelectedRow(GetKeyState(VK_SHIFT) < 0);
}

void TClipboardViewerForm::EscapeBeyondSearch() {
  if (!state_->HidePopup()) return;
  ApplyLayout();
  PopupClosed();
}

void TClipboardViewerForm::ShowNoMatch(bool none) {
  if (treeController_) treeController_->SetEmptyText(none ? kNoMatchText : u"");
}

void TClipboardViewerForm::MoveSelectedToClipboard() {
  HTREEITEM row = TreeView_GetSelection(tree_);
  if (row == nullptr) return;
  const auto* node = static_cast<const CItemNode*>(treeView_->RowData(reinterpret_cast<TTreeNode*>(row)));
  if (node == nullptr || node->isCategory) return;
  MoveClipToClipboard(static_cast<int>(node->id));
}

void TClipboardViewerForm::MoveClipToClipboard(int clipId) {
  EndSearchForPut();
  FinishPut(GetHandler().PutItemToClipboard(clipId));
}

void TClipboardViewerForm::CopyClipAsPlainText(int clipId) {
  EndSearchForPut();
  FinishPut(GetHandler().PutItemTextToClipboard(clipId));
}

void TClipboardViewerForm::EndSearchForPut() {
  listSearch_->Close();  // a paste ends the search
  keyboardWanted_ = false;  // and hands the keyboard to its target
  keyboardSince_.reset();
}

void TClipboardViewerForm::FinishPut(bool put) {
  GetHandler().RebuildTree();
  autoSaver_->MarkChanged();
  if (put && state_->PopupMode() && Button_GetCheck(autoPaste_) == BST_CHECKED) {
    PasteIntoTarget(targetWindow_, pasteMethod_);
    state_->SetExpanded(false);
    ApplyLayout();
  }
}

bool TClipboardViewerForm::EditCategory(int categoryId, int parentId) {
  TEditCategoryForm editor(Handle(), GetHandler());
  const bool changed = editor.ExecuteEditor(CategoriesIcons(), categoryId, parentId);
  if (changed) autoSaver_->MarkChanged();
  return changed;
}

std::optional<KeyCombination> TClipboardViewerForm::AskHotKey(KeyCombination current) {
  autoSaver_->MarkChanged();  // the caller stores the answer
  return RunHotKeyForm(Handle(), current);
}

std::optional<std::uint32_t> TClipboardViewerForm::LastInputTime() { return ::LastInputTime(); }

ScreenPoint TClipboardViewerForm::CursorPos() { return CursorPosition(); }

ScreenRect TClipboardViewerForm::WorkAreaAt(ScreenPoint point) { return ::WorkAreaAt(point); }

HeldKeys TClipboardViewerForm::ReadKeys() { return ReadHeldKeys(); }

bool TClipboardViewerForm::IsKeyDown(int virtualKey) { return IsKeyHeld(virtualKey); }

void TClipboardViewerForm::QuickPaste(int position, int categoryId) {
  if (GetHandler().PutNthItemToClipboard(position, categoryId)) PasteToFocusedControl(pasteMethod_);
}

void TClipboardViewerForm::PasteByHotKey(KeyCombination code) {
  if (GetHandler().PutItemByHotKey(code)) PasteToFocusedControl(pasteMethod_);
}

void TClipboardViewerForm::RememberTarget() { targetWindow_ = GetForegroundWindow(); }

void TClipboardViewerForm::Close(ECloseReason reason) {
  if (closed_) return;
  if (CMessageScope::Depth() > 1) {
    DeferClose(reason);
    return;
  }
  if (!RunClosingSequence(*this, reason)) return;
  closed_ = true;
  KillTimer(Handle(), kTimerId);
  DestroyWindow(Handle());
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

void TClipboardViewerForm::LeaveViewerChain() { chain_.Leave(); }

void TClipboardViewerForm::JoinViewerChain() { chain_.Join(Handle()); }

void TClipboardViewerForm::SaveData() {
  autoSaver_->Stop();
  // Before the first activation nothing was loaded: an empty store must not replace the file.
  if (!handlerCreated_) return;
  if (!dataFileGuard_->MakeSaveAllowed()) {
    // Told like any file that cannot be written: the window keeps its clips and runs on.
    throw CFileError("Cannot keep a copy of the data file before replacing it",
                     DataFilePath());
  }
  GetHandler().SaveToFile(DataFilePath());
  autoSaver_->DiscardJournal();
}

void TClipboardViewerForm::ShowSaveError(const std::string& message) {
  ShowErrorBox(message +
               "\n\nQuillery keeps running with every clip in memory. Make room for the file "
               "(or make its folder writable), then exit again.");
}

void TClipboardViewerForm::ReleaseHandler() {
  if (!handlerCreated_) return;
  // The data is safe: the window goes now, and its rows are not drawn as they go. The shell
  // is asked at once to take the tray icon away; it is waited for as the window ends.
  ShowWindow(Handle(), SW_HIDE);
  if (trayIcon_) trayIcon_->BeginRemoval();
  treeController_.reset();
  TreeView_DeleteAllItems(tree_);
  ::ReleaseHandler();
  handlerCreated_ = false;
}

void TClipboardViewerForm::WritePosition() {
  const ScreenPoint place = state_->DockedPlace();
  Settings::SettingsInstance().SetPositionY(place.y);
  Settings::SettingsInstance().SetPositionX(place.x);
}

void TClipboardViewerForm::ReleaseSettings() { Settings::ReleaseSettings(); }

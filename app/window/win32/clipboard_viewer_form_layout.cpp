// The main window's layout: its controls placed for its size and dpi, and a change of dpi.

#include "app/window/win32/clipboard_viewer_form.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "app/search/win32/search_field_layout.h"
#include "app/window/window_metrics.h"
#include "categories/clipboard_handler.h"
#include "foundation/settings_storage.h"
#include "platform/win32/dpi.h"

namespace {

void ShowChild(HWND child, bool visible) {
  ShowWindow(child, visible ? SW_SHOWNA : SW_HIDE);
}

void MoveChild(HWND child, const ScreenRect& rect) {
  MoveWindow(child, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

RECT RectOf(const ScreenRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void TClipboardViewerForm::ChangeDpi(int dpi, ScreenPoint place) {
  dpi_ = UsableDpi(dpi);
  const MainWindowMetrics metrics = MainWindowMetricsAt(dpi_);
  state_->Rescale(DisplaySettingsAt(designSettings_, dpi_), metrics.headerHeight, place);
  // The controls hold the old fonts until they are given the new ones.
  const std::unique_ptr<CMainWindowResources> old =
      std::exchange(resources_, std::make_unique<CMainWindowResources>(dpi_));
  for (HWND child : {label_, pinButton_, openButton_, autoPaste_}) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(resources_->FormFont()), TRUE);
  }
  if (listSearch_) {
    SendMessageW(listSearch_->Field(), WM_SETFONT, reinterpret_cast<WPARAM>(resources_->FormFont()),
                 TRUE);
  }
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(resources_->TreeFont()), TRUE);
  TreeView_SetIndent(tree_, metrics.treeIndent);
  if (treeController_) treeController_->ChangeDpi(SkinForLook(), dpi_);
  if (handler_ != nullptr) {
    handler_->SetThumbnailHeight(metrics.thumbnailHeight);
    handler_->RebuildTree();
  }
  // WM_SIZE lays the controls out only when the window's size changes; their scaled
  // places change with the dpi all the same.
  const ScreenRect& bounds = state_->Layout().bounds;
  LayoutChildren(bounds.Width(), bounds.Height());
  ShowTrayIcon();
}

void TClipboardViewerForm::TakeDpiOfPlace() {
  const ScreenRect& bounds = state_->Layout().bounds;
  const int dpi = DpiOfRect(RectOf(bounds));
  if (dpi != dpi_) ChangeDpi(dpi, {bounds.left, bounds.top});
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
      client.right -
      ScaleToDpi(popup ? kSearchFieldRightMargin : kSearchFieldDockedRightMargin, dpi_);
  MoveWindow(listSearch_->Field(), left, ScaleToDpi(kSearchFieldTop, dpi_),
             std::max(0, right - left), ScaleToDpi(kSearchFieldHeight, dpi_), TRUE);
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

// The popup at the cursor: opened by a hot key or a second start, with the keyboard in its
// list and type-to-search, closed with the keyboard given back.

#include "app/window/win32/clipboard_viewer_form.h"

#include "app/paste/win32/paste_target.h"
#include "app/search/win32/search_field_layout.h"
#include "app/window/win32/system_input.h"
#include "categories/clipboard_handler.h"
#include "platform/win32/dpi.h"

void TClipboardViewerForm::ShowList() {
  if (!activated_ || closed_) return;
  RememberTarget();
  const ScreenPoint cursor = CursorPosition();
  // The popup has the sizes of the monitor under the cursor.
  const int dpi = DpiAtPoint({cursor.x, cursor.y});
  if (!state_->PopupListOpen() && dpi != dpi_) {
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
  if (handler_ == nullptr) return;
  // Opened from the keyboard, it is driven by the keyboard: from the newest clip on.
  CItemNode& root = handler_->Root();
  auto history = root.children.find(static_cast<unsigned int>(kHistoryCategoryId));
  if (history != root.children.end() && !history->second->Order().empty()) {
    TreeView_SelectItem(tree_,
                        reinterpret_cast<HTREEITEM>(history->second->Order().front()->treeNode));
  }
  popupKeyboard_.Opened();
}

void TClipboardViewerForm::PopupClosed() {
  if (treeController_) treeController_->HidePreview();
  listSearch_->Close();
  popupKeyboard_.Closed();
}

bool TClipboardViewerForm::AnyKeyHeld() {
  return ReadHeldKeys().code != 0;
}

bool TClipboardViewerForm::WindowInFront() {
  return GetForegroundWindow() == Handle();
}

bool TClipboardViewerForm::BringWindowToFront() {
  return BringToFront(Handle());
}

void TClipboardViewerForm::AskToBeInFront() {
  SetForegroundWindow(Handle());
}

void TClipboardViewerForm::FocusList() {
  SetFocus(tree_);
}

void TClipboardViewerForm::FocusSearchOrList() {
  SetFocus(listSearch_->FieldOpen() ? listSearch_->Field() : tree_);
}

void TClipboardViewerForm::ActivateTarget() {
  if (IsWindow(targetWindow_)) SetForegroundWindow(targetWindow_);
}

void TClipboardViewerForm::OpenSearch() {
  listSearch_->OpenField();
}

void TClipboardViewerForm::TypeToSearch(wchar_t character) {
  listSearch_->Type(character);
}

void TClipboardViewerForm::EscapePressed() {
  listSearch_->Escape();
}

void TClipboardViewerForm::SearchFieldShown() {
  ApplyLayout();
}

void TClipboardViewerForm::SearchEnter() {
  if (treeController_)
    treeController_->ActivateSelectedRow(EPickedBy::kKeyboard, GetKeyState(VK_SHIFT) < 0);
}

void TClipboardViewerForm::EscapeBeyondSearch() {
  if (!state_->HidePopup()) return;
  ApplyLayout();
  PopupClosed();
}

void TClipboardViewerForm::ShowNoMatch(bool none) {
  if (treeController_) treeController_->SetEmptyText(none ? kNoMatchText : u"");
}

void TClipboardViewerForm::RememberTarget() {
  targetWindow_ = GetForegroundWindow();
}

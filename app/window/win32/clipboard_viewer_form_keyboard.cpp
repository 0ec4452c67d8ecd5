// TClipboardViewerForm: the window reached and used with the keyboard alone: the list's hot
// key and the tray icon's keyboard activation bring the docked list forward with the
// keyboard in it, Tab goes round the header's controls and the list, and the window lets
// go of the keyboard-held list when it is left.

#include "app/window/win32/clipboard_viewer_form.h"

#include <vector>

#include "app/paste/win32/paste_target.h"
#include "categories/clipboard_handler.h"

void TClipboardViewerForm::GiveListTheKeyboard() {
  if (!activated_ || closed_) return;
  const bool wasPopup = state_->PopupMode();
  if (!state_->KeyboardHeld()) state_->OpenForKeyboard();
  ApplyLayout();
  if (wasPopup) PopupClosed();
  BringToFront(Handle());
  if (TreeView_GetSelection(tree_) == nullptr) SelectNewestClip();
  SetFocus(tree_);
}

void TClipboardViewerForm::SelectNewestClip() {
  if (handler_ == nullptr) return;
  CItemNode& root = handler_->Root();
  const auto history = root.children.find(static_cast<unsigned int>(kHistoryCategoryId));
  if (history != root.children.end() && !history->second->Order().empty()) {
    TreeView_SelectItem(tree_,
                        reinterpret_cast<HTREEITEM>(history->second->Order().front()->treeNode));
  } else if (const HTREEITEM first = TreeView_GetRoot(tree_)) {
    TreeView_SelectItem(tree_, first);
  }
}

void TClipboardViewerForm::KeyboardLeftWindow() {
  if (!state_ || !state_->KeyboardHeld()) return;
  state_->KeyboardLeft();
  // The cursor may be far away: the next tick folds the list as it does for the mouse.
}

bool TClipboardViewerForm::TakeTabKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  if (message.hwnd == nullptr || GetParent(message.hwnd) != Handle()) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  // In the order they stand on screen, left to right and then below.
  std::vector<HWND> stops;
  for (HWND control : {openButton_, pinButton_, listSearch_->Field(), autoPaste_, tree_}) {
    if (control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control)) {
      stops.push_back(control);
    }
  }
  if (stops.empty()) return false;
  std::size_t at = 0;
  while (at < stops.size() && stops[at] != message.hwnd) ++at;
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  std::size_t next = 0;
  if (at == stops.size()) {
    next = backwards ? stops.size() - 1 : 0;
  } else if (backwards) {
    next = at == 0 ? stops.size() - 1 : at - 1;
  } else {
    next = (at + 1) % stops.size();
  }
  SetFocus(stops[next]);
  return true;
}

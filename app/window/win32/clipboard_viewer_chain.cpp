#include "app/window/win32/clipboard_viewer_chain.h"

CClipboardViewerChain::~CClipboardViewerChain() {
  Leave();
}

void CClipboardViewerChain::Join(HWND window) {
  if (window_ != nullptr) return;
  // Set first: the first notification arrives inside SetClipboardViewer.
  window_ = window;
  next_ = nullptr;
  next_ = SetClipboardViewer(window);
}

void CClipboardViewerChain::Leave() {
  if (window_ == nullptr) return;
  ChangeClipboardChain(window_, next_);
  window_ = nullptr;
  next_ = nullptr;
}

void CClipboardViewerChain::PassOnChange(WPARAM wParam, LPARAM lParam) const {
  // Posted, not sent: a viewer that hangs must not hang the capture.
  if (next_ != nullptr && IsWindow(next_)) PostMessageW(next_, WM_DRAWCLIPBOARD, wParam, lParam);
}

void CClipboardViewerChain::OnChangeChain(WPARAM removed, LPARAM following) {
  if (reinterpret_cast<HWND>(removed) == next_) {
    next_ = reinterpret_cast<HWND>(following);
  } else if (next_ != nullptr && IsWindow(next_)) {
    PostMessageW(next_, WM_CHANGECBCHAIN, removed, following);
  }
}

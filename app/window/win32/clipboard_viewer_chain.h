#pragma once
// CClipboardViewerChain: the main window's place in the system's clipboard-viewer chain.
// The window at the head of the chain hears of every clipboard change (WM_DRAWCLIPBOARD)
// and passes each notification on to the next viewer; it keeps the chain whole when a
// viewer leaves (WM_CHANGECBCHAIN).

#include "platform/windows_api.h"

class CClipboardViewerChain {
 public:
  CClipboardViewerChain() = default;
  // Leaves the chain if still in it.
  ~CClipboardViewerChain();
  CClipboardViewerChain(const CClipboardViewerChain&) = delete;
  CClipboardViewerChain& operator=(const CClipboardViewerChain&) = delete;

  // Puts `window` at the head of the chain. The system sends it WM_DRAWCLIPBOARD before
  // this returns, so the content on the clipboard now is captured like any later change.
  // Nothing happens when already joined.
  void Join(HWND window);
  // Takes the window out of the chain, joining its neighbours.
  void Leave();
  bool Joined() const { return window_ != nullptr; }
  // The next viewer, or null at the end of the chain.
  HWND Next() const { return next_; }

  // WM_DRAWCLIPBOARD: posted on to the next viewer, if that is a window.
  void PassOnChange(WPARAM wParam, LPARAM lParam) const;
  // WM_CHANGECBCHAIN: the viewer `removed` leaves and `following` takes its place.
  void OnChangeChain(WPARAM removed, LPARAM following);

 private:
  HWND window_ = nullptr;
  HWND next_ = nullptr;
};

// Passes one WM_DRAWCLIPBOARD on when it goes, however the scope that handles the change
// is left: a capture that fails must not keep the change from the rest of the chain.
class CPassOnChange {
 public:
  CPassOnChange(const CClipboardViewerChain& chain, WPARAM wParam, LPARAM lParam)
      : chain_(chain), wParam_(wParam), lParam_(lParam) {}
  ~CPassOnChange() { chain_.PassOnChange(wParam_, lParam_); }
  CPassOnChange(const CPassOnChange&) = delete;
  CPassOnChange& operator=(const CPassOnChange&) = delete;

 private:
  const CClipboardViewerChain& chain_;
  WPARAM wParam_;
  LPARAM lParam_;
};

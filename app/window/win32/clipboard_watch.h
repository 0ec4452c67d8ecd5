#pragma once
// CClipboardWatch: how the main window hears of clipboard changes. The system's clipboard
// format listener tells every listener itself (WM_CLIPBOARDUPDATE), so no other program
// can keep a change from Quillery; the clipboard-viewer chain, where each viewer must pass
// WM_DRAWCLIPBOARD on to the next, is only the fallback where the listener is missing.
// A viewer that joins the chain after Quillery and swallows the notice, or one that
// crashed without leaving it, would otherwise end every capture without a word.

#include "app/window/win32/clipboard_viewer_chain.h"
#include "platform/windows_api.h"

// The property that a listening window carries, so that another process can tell that it
// watches the clipboard, as GetClipboardViewer tells it of the chain's head.
inline constexpr wchar_t kClipboardListenerProperty[] = L"QuilleryClipboardListener";

enum class EClipboardWatchWay { kListener, kViewerChain };

class CClipboardWatch {
 public:
  CClipboardWatch() = default;
  // Stops watching if still watching.
  ~CClipboardWatch();
  CClipboardWatch(const CClipboardWatch&) = delete;
  CClipboardWatch& operator=(const CClipboardWatch&) = delete;

  // Starts telling `window` of changes: as a listener, or in the viewer chain when the
  // system has no listener or refuses it (or when `way` asks for the chain). The content
  // already on the clipboard is announced like a change: the chain sends its first
  // WM_DRAWCLIPBOARD before this returns, and a listener, which hears nothing until the
  // next change, is posted a WM_CLIPBOARDUPDATE. Nothing happens when already watching.
  void Start(HWND window, EClipboardWatchWay way = EClipboardWatchWay::kListener);
  void Stop();
  bool Watching() const { return window_ != nullptr; }
  // True while changes come as WM_CLIPBOARDUPDATE.
  bool Listening() const { return listening_; }
  // True when the notice of a further change waits in the window's queue. The chain's
  // notices are sent, not queued, and are never seen waiting.
  bool NoticeWaiting() const;

  // The chain, for WM_DRAWCLIPBOARD and WM_CHANGECBCHAIN; empty while listening.
  CClipboardViewerChain& Chain() { return chain_; }
  const CClipboardViewerChain& Chain() const { return chain_; }

 private:
  HWND window_ = nullptr;
  bool listening_ = false;
  CClipboardViewerChain chain_;
};

#include "app/window/win32/clipboard_watch.h"

#include "platform/win32/system_function.h"

namespace {

using ClipboardListenerCall = BOOL(WINAPI*)(HWND);

}  // namespace

CClipboardWatch::~CClipboardWatch() {
  Stop();
}

void CClipboardWatch::Start(HWND window, EClipboardWatchWay way) {
  if (window_ != nullptr) return;
  window_ = window;
  if (way == EClipboardWatchWay::kListener) {
    const auto add =
        SystemFunction<ClipboardListenerCall>(L"user32.dll", "AddClipboardFormatListener");
    listening_ = add != nullptr && add(window) != FALSE;
    if (listening_) {
      SetPropW(window, kClipboardListenerProperty, reinterpret_cast<HANDLE>(1));
      PostMessageW(window, WM_CLIPBOARDUPDATE, 0, 0);
      return;
    }
  }
  chain_.Join(window);
}

void CClipboardWatch::Stop() {
  if (window_ == nullptr) return;
  if (listening_) {
    if (const auto remove =
            SystemFunction<ClipboardListenerCall>(L"user32.dll", "RemoveClipboardFormatListener")) {
      remove(window_);
    }
    RemovePropW(window_, kClipboardListenerProperty);
  } else {
    chain_.Leave();
  }
  window_ = nullptr;
  listening_ = false;
}

bool CClipboardWatch::NoticeWaiting() const {
  if (!listening_) return false;
  // Posted messages only: a message sent from another thread is not handled in here.
  MSG message;
  return PeekMessageW(&message, window_, WM_CLIPBOARDUPDATE, WM_CLIPBOARDUPDATE,
                      PM_NOREMOVE | PM_QS_POSTMESSAGE) != FALSE;
}

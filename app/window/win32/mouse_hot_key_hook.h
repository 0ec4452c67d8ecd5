#pragma once
// CMouseHotKeyHook: a low-level mouse hook that keeps the click of a mouse hot key from the
// program under the mouse (CMouseHotKeyRule decides which) and tells the main window of
// the hot key with a posted message, since the swallowed press never reaches the key state
// that the tick polls.
//
// The system calls a low-level hook on the thread that installed it, for every mouse event
// of the desktop, and drops a hook that keeps it waiting (LowLevelHooksTimeout); so the
// hook lives on a small thread of its own with its own message loop, never on the busy UI
// thread. It exists only while some watched hot key is a mouse combination.

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/window/mouse_hot_key_rule.h"
#include "platform/windows_api.h"

class CMouseHotKeyHook {
 public:
  // Each hot key fired is posted to `window` as `message`, the combination in wParam.
  // Presses on `ownWindow` (the program's, whose clicks are its own) are no hot key.
  CMouseHotKeyHook(HWND window, UINT message, HWND ownWindow = nullptr);
  // Removes the hook and ends its thread.
  ~CMouseHotKeyHook();
  CMouseHotKeyHook(const CMouseHotKeyHook&) = delete;
  CMouseHotKeyHook& operator=(const CMouseHotKeyHook&) = delete;

  // The hot keys to watch: the hook is installed when one of them is a mouse combination,
  // and removed when none is. False when one is and the system refused the hook; the
  // tick's poll still fires such hot keys then, without keeping their clicks.
  bool Watch(const std::vector<KeyCombination>& hotKeys);
  // While paused (the popup is open) every click passes.
  void SetPaused(bool paused);
  bool Installed() const { return thread_ != nullptr; }

  // The hook thread's part: judges one event; true to swallow it.
  bool Judge(WPARAM message, const MSLLHOOKSTRUCT& event);

 private:
  class CHookThread;

  HWND window_;
  UINT message_;
  HWND ownWindow_;
  std::mutex mutex_;  // the rule is judged on the hook thread and changed on the UI thread
  CMouseHotKeyRule rule_;
  bool paused_ = false;                  // as last set, on the UI thread
  std::unique_ptr<CHookThread> thread_;  // while some hot key is a mouse one
};

// The hot keys made with a mouse button: the hook that keeps their clicks from the program
// under the mouse, and what the window does when the hook fires one.

#include "app/window/win32/clipboard_viewer_form.h"

#include "app/window/mouse_hot_key_rule.h"
#include "app/window/win32/main_window_messages.h"
#include "categories/clipboard_handler.h"
#include "foundation/log.h"

void TClipboardViewerForm::FollowMouseHotKeys() {
  // A fired hot key pastes through the handler, which exists from the first activation on.
  if (!activated_ || closed_ || handler_ == nullptr) return;
  const CMainWindowTick::Settings& keys = tick_.CurrentSettings();
  // The pause hot key's click is kept from the window below as the popup's are.
  const KeyCombination popupHotKeys[] = {keys.primaryHotKey, keys.secondaryHotKey,
                                         keys.pauseHotKey};
  // Few clips have a hot key: walking them at every tick costs next to nothing.
  CollectMouseHotKeys(popupHotKeys, handler_->HotKeys(), mouseHotKeysNow_);
  if (!mouseHook_) {
    // Ctrl and Shift with a click select clips in our own list.
    mouseHook_ = std::make_unique<CMouseHotKeyHook>(Handle(), kMouseHotKeyMessage, Handle());
  } else if (mouseHotKeysNow_ == watchedMouseHotKeys_) {
    mouseHook_->SetPaused(state_->PopupListOpen());
    return;
  }
  watchedMouseHotKeys_ = mouseHotKeysNow_;
  if (!mouseHook_->Watch(watchedMouseHotKeys_) && !mouseHookRefusalLogged_) {
    // The tick's poll still fires the hot keys; their clicks reach the program below too.
    mouseHookRefusalLogged_ = true;
    LogError(
        "The system refused the mouse hook: the click of a mouse hot key also reaches "
        "the window under the mouse.");
  }
  mouseHook_->SetPaused(state_->PopupListOpen());
}

void TClipboardViewerForm::MouseHotKeyFired(KeyCombination code) {
  if (closed_ || handler_ == nullptr) return;
  const bool wasOpen = state_->PopupListOpen();
  tick_.FireMouseHotKey(code, *state_, *this);
  // As after a tick: a popup on a monitor of another dpi takes its sizes.
  if (applied_ && state_->Layout().bounds != applied_->bounds) TakeDpiOfPlace();
  ApplyLayout();
  if (!wasOpen && state_->PopupListOpen()) PopupOpened();
  FollowMouseHotKeys();
}

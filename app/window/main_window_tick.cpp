#include "app/window/main_window_tick.h"

namespace {

class CReentryGuard {
 public:
  explicit CReentryGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~CReentryGuard() { flag_ = false; }
  CReentryGuard(const CReentryGuard&) = delete;
  CReentryGuard& operator=(const CReentryGuard&) = delete;

 private:
  bool& flag_;
};

constexpr KeyCombination kModifierBits = kKeyShift | kKeyCtrl | kKeyAlt;

}  // namespace

void CMainWindowTick::Tick(CDisplayState& state, CTickPort& port) {
  // A paste pumps the message queue; a tick arriving inside it would see the same keys.
  if (ticking_) return;
  CReentryGuard guard(ticking_);

  const std::optional<std::uint32_t> lastInput = port.LastInputTime();
  const std::uint32_t now = port.Now();
  // Near the window the cursor is followed at every tick, so that leaving it is seen at
  // once even where the system reports the move as no input; that includes a window just
  // moved under it.
  const bool wasNear = IsCursorNear(cursor_, state.Layout().bounds);
  if (cursorWatch_.Due(lastInput, now, wasNear)) cursor_ = port.CursorPos();
  if (IsCursorNear(cursor_, state.Layout().bounds)) {
    state.CursorNear();
  } else {
    state.CursorAway();
  }

  // Read once for both polls. A digit can be held only when some key besides the
  // modifiers is, so the ten digit reads are skipped while nothing is held.
  if (keysWatch_.Due(lastInput, now, held_.code != 0)) held_ = port.ReadKeys();
  const KeyCombination keys = held_.code;
  if (settings_.quickPasteMode != 0) {
    const std::uint16_t digit =
        (keys & ~kModifierBits) == 0
            ? kNoDigit
            : FirstDigitDown([&port](int key) { return port.IsKeyDown(key); });
    // AltGr with a digit types a character ("{" is AltGr+7 on a German keyboard).
    if (digits_.Fires(digit) && !held_.altGr) {
      const QuickPastePlan plan = QuickPasteDigit(digit, (keys & kKeyCtrl) != 0,
                                                  (keys & kKeyAlt) != 0, settings_.quickPasteMode);
      for (int i = 0; i < plan.count; ++i) port.QuickPaste(plan.position, plan.categories[i]);
    }
  }

  // Followed also while the popup's list is open, so that a combination held or typed
  // there does not fire when the list folds or the window docks, and the popup key fires
  // again on its next press.
  const bool keysFire = keys_.Fires(keys);
  // The popup's list has the keyboard: what is typed there is no hot key. The popup's
  // folded header, left at the cursor after a paste until the mouse moves, has none.
  if (state.PopupListOpen()) return;

  // AltGr combinations type characters; none is a hot key.
  if (keysFire && !held_.altGr) FireHotKey(keys, state, port);

  state.EnforceVisibility();
}

void CMainWindowTick::FireHotKey(KeyCombination code, CDisplayState& state, CTickPort& port) {
  if (settings_.pauseHotKey != 0 && code == settings_.pauseHotKey) {
    port.TogglePause();
    return;
  }
  if (settings_.listHotKey != 0 && code == settings_.listHotKey) {
    state.OpenForKeyboard();
    port.GiveListTheKeyboard();
    return;
  }
  port.PasteByHotKey(code);
  if (state.PopupListOpen()) return;
  if (code != settings_.primaryHotKey && code != settings_.secondaryHotKey) return;
  port.RememberTarget();
  cursor_ = port.CursorPos();
  state.ShowPopup(cursor_, port.WorkAreaAt(cursor_));
  state.SetExpanded(true);
}

void CMainWindowTick::FireMouseHotKey(KeyCombination code, CDisplayState& state, CTickPort& port) {
  if (ticking_ || state.PopupListOpen()) return;
  CReentryGuard guard(ticking_);
  // Should the system show the swallowed button after all, the poll takes it as held
  // already and does not fire it a second time.
  keys_ = CEdgePoll(code, 0);
  FireHotKey(code, state, port);
}

#pragma once
// The main window's 10 ms tick, in its fixed order: opacity and folding by the cursor,
// quick paste digits, then (outside the popup's open list) the pause hot key, per-clip and
// popup hot keys, then the window's visibility.

#include <cstdint>
#include <optional>

#include "app/paste/held_keys.h"
#include "app/paste/hot_key_poll.h"
#include "app/window/display_state.h"
#include "foundation/input_watch.h"
#include "foundation/key_combination.h"

// What a tick reads from the system and asks of the window.
class CTickPort {
 public:
  virtual ~CTickPort() = default;
  // The tick count of the last input anywhere on the desktop; none when the system cannot
  // tell, and then the cursor and the keys are read at every tick. Asked once per tick.
  virtual std::optional<std::uint32_t> LastInputTime() = 0;
  // The tick count now, in milliseconds.
  virtual std::uint32_t Now() = 0;
  // Asked only when input may have moved it, or while it is near the window.
  virtual ScreenPoint CursorPos() = 0;
  // The work area of the monitor under `point`.
  virtual ScreenRect WorkAreaAt(ScreenPoint point) = 0;
  // The combination held now, read in full; asked only when input may have changed it, or
  // while one is held.
  virtual HeldKeys ReadKeys() = 0;
  virtual bool IsKeyDown(int virtualKey) = 0;
  // Puts the `position`-th clip of the category on the clipboard and, when that put
  // something, pastes it into the focused control of the foreground window. A paste that
  // types keys returns once the system has taken them, so that the next read of the keys
  // sees the user's own again.
  virtual void QuickPaste(int position, int categoryId) = 0;
  // Pastes the clip bound to `code`, if any.
  virtual void PasteByHotKey(KeyCombination code) = 0;
  // Remembers the foreground window as the popup's paste target.
  virtual void RememberTarget() = 0;
  // Pauses capture, or resumes it when it is paused.
  virtual void TogglePause() = 0;
  // Brings the window to the front with the keyboard in its list, a row selected.
  virtual void GiveListTheKeyboard() = 0;
};

class CMainWindowTick {
 public:
  struct Settings {
    int quickPasteMode = 1;
    KeyCombination primaryHotKey = 0x4001;
    KeyCombination secondaryHotKey = 0xC056;
    KeyCombination pauseHotKey = 0;  // 0: none
    KeyCombination listHotKey = 0;   // 0: none
  };

  void ApplySettings(const Settings& settings) { settings_ = settings; }
  const Settings& CurrentSettings() const { return settings_; }

  // One tick. The port's paste calls may run nested ticks; those return at once.
  void Tick(CDisplayState& state, CTickPort& port);

  // A hot key made with a mouse button that the mouse hook fired: its press never reached
  // the key state, so the poll does not see it; this does what a tick does for it, once
  // (the poll takes it as seen). Nothing while the popup's list is open or inside a paste,
  // as for the tick.
  void FireMouseHotKey(KeyCombination code, CDisplayState& state, CTickPort& port);

 private:
  // A fired hot key: the pause hot key toggles the pause and the list's hot key opens the
  // docked list for the keyboard, each and nothing else; any other pastes the clip bound to
  // it, and the popup's open the popup at the cursor.
  void FireHotKey(KeyCombination code, CDisplayState& state, CTickPort& port);

  Settings settings_;
  // A tick that nothing has happened since the last one asks the system for the last
  // input's time stamp and nothing else.
  CInputWatch cursorWatch_;
  CInputWatch keysWatch_;
  ScreenPoint cursor_{};  // as last read
  HeldKeys held_;         // as last read
  CEdgePoll keys_{0, 0};
  CEdgePoll digits_{0, kNoDigit};
  bool ticking_ = false;
};

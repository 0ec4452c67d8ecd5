#pragma once
// CDisplayState: the main window's three display states (docked and folded, docked and
// unfolded, popup beside the cursor), its header buttons, opacity and visibility, as plain
// values. The window applies Layout() to itself after each change; nothing here touches
// the system.

#include <cstdint>

#include "app/window/window_placement.h"

// What the window and its controls should look like now.
struct WindowLayout {
  ScreenRect bounds;         // the window's rectangle on the screen
  bool labelVisible = true;  // the caption of the newest clip
  bool openButtonVisible = true;
  bool pinVisible = false;
  bool autoPasteVisible = false;
  bool treeVisible = false;
  bool windowVisible = true;
  std::uint8_t alpha = 200;  // 255 opaque
  bool operator==(const WindowLayout&) const = default;
};

class CDisplayState {
 public:
  // The settings that shape the window; LoadSettings reads them.
  struct Settings {
    int width = 200;
    int expandedHeight = 388;
    std::uint8_t transparency = 200;  // alpha while the cursor is away
    bool monitorVisible = true;       // the docked window is shown at all
  };

  // Docked and folded at `place`; `headerHeight` is the folded window's height.
  CDisplayState(ScreenPoint place, int headerHeight, const Settings& settings);

  // New settings: the width applies at once, the height at the next SetExpanded.
  void ApplySettings(const Settings& settings);
  // The window moved to a monitor of another dpi: `settings` and `headerHeight` are the
  // sizes at the new dpi, which apply at once, and the window's top left corner goes to
  // `place`. A popup keeps the docked place it returns to.
  void Rescale(const Settings& settings, int headerHeight, ScreenPoint place);
  const Settings& CurrentSettings() const { return settings_; }

  // Shows (`expanded`) or hides the list; the pin shows only with the list, docked.
  void SetExpanded(bool expanded);
  // Turns the window into the popup at `cursor`, inside `workArea`, remembering the
  // docked place; a popup folded after a paste opens again there. False, changing
  // nothing, when it is an open popup already.
  bool ShowPopup(ScreenPoint cursor, const ScreenRect& workArea);
  // Back to the docked place, folded or not as the open button says. False, changing
  // nothing, when it is not a popup.
  bool HidePopup();

  // A clip picked in the popup was pasted: the list folds. Picked with the keyboard, the
  // popup goes back to its docked place at once, since a mouse that does not move would
  // keep its folded header at the cursor, where the next popup hot key could not open it.
  // Picked with the mouse, the header stays at the cursor until the mouse leaves it.
  void PopupPasted(bool byKeyboard);
  // The open button was clicked (or the tray icon double-clicked): the list toggles.
  void ToggleOpen();
  void SetPinDown(bool down) { pinDown_ = down; }
  // The list's hot key or the tray icon's keyboard activation: the docked window shows with
  // its list unfolded and opaque (a popup goes back to its dock first), also where the
  // settings hide the docked window, and stays so wherever the cursor goes until
  // KeyboardLeft or the next popup. The cursor cannot be expected near a list that is used
  // from the keyboard only.
  void OpenForKeyboard();
  // The window lost the keyboard: the cursor and the settings rule again.
  void KeyboardLeft() { keyboardHeld_ = false; }
  bool KeyboardHeld() const { return keyboardHeld_; }
  // The user dragged the window there.
  void MovedTo(ScreenPoint place);

  // The cursor is near: opaque. Away: translucent, back from the popup, and folded
  // unless pinned.
  void CursorNear();
  void CursorAway();
  // Outside the popup the window is shown exactly when the settings say so.
  void EnforceVisibility();
  // Shows or hides the docked window as the settings say (after the settings dialog).
  void ShowAsSettingsSay() { layout_.windowVisible = settings_.monitorVisible; }

  const WindowLayout& Layout() const { return layout_; }
  bool Expanded() const { return expanded_; }
  bool PopupMode() const { return popupMode_; }
  // The popup with its list unfolded, which has the keyboard; not its folded header.
  bool PopupListOpen() const { return popupMode_ && expanded_; }
  bool OpenDown() const { return openDown_; }
  bool PinDown() const { return pinDown_; }
  // Where the window lives when it is not a popup: what is saved at close.
  ScreenPoint DockedPlace() const;

 private:
  Settings settings_;
  int headerHeight_;
  WindowLayout layout_;
  bool expanded_ = false;
  bool popupMode_ = false;
  bool openDown_ = false;
  bool pinDown_ = false;
  bool keyboardHeld_ = false;  // opened by OpenForKeyboard and not left since
  ScreenPoint saved_;          // the docked place while a popup
};

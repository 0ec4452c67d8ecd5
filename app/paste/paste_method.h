#pragma once
// How a clip that is on the clipboard reaches the program in front. Only the classic edit
// and rich-edit controls act on the paste message (WM_PASTE), and they act on it without
// regard to the keys held; browsers, Electron and Qt programs, terminals and WinUI programs
// ignore it and paste only on the keystroke.

#include <string_view>

#include "foundation/settings_storage.h"

// The setting "PasteMethod".
enum class EPasteMethod {
  kAutomatic = 0,    // the message where the focused control takes it, Ctrl+V elsewhere
  kCtrlV = 1,        // always the keystroke Ctrl+V
  kShiftInsert = 2,  // always the keystroke Shift+Insert
  kMessage = 3,      // always WM_PASTE to the focused control
};

// The stored setting, clamped to 0..3 as every setting's reader clamps; read at this moment.
EPasteMethod ReadPasteMethod(const Settings::CSettingsStorage& store);

// What one paste does.
enum class EPasteWay { kMessage, kCtrlV, kShiftInsert };

// True for the window classes that act on WM_PASTE: the edit control and the rich edits
// ("RichEdit", "RichEdit20W", "RICHEDIT50W", ...), compared without regard to case. The
// class is the system's class of the window (RealGetWindowClass), so that a program's own
// class built on an edit counts as one.
bool TakesPasteMessage(std::u16string_view windowClass);

// The way to paste with `method` into the focused control of class `focusClass` (empty when
// the target's focus is unknown, e.g. in another process's child window).
EPasteWay ChoosePasteWay(EPasteMethod method, std::u16string_view focusClass);

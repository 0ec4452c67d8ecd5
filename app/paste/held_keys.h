#pragma once
// The keys held, as the quick-paste and hot-key polls see them. On keyboard layouts with
// AltGr (German, French, Polish, Czech, the Nordic ones, ...) the right Alt key is AltGr
// and the system reports it as Ctrl+Alt (right Alt with a left Ctrl of its own making), so
// typing "{" on a German keyboard is Ctrl+Alt+7 to the key state. The system also types
// the AltGr character for any other Ctrl+Alt on such a layout: left Ctrl, left Alt and 7
// type "{" too. Such a combination types a character: it is neither quick paste nor a hot
// key. AltGr is held on a layout with AltGr when the right Alt is, without the left one,
// or when the key held with Ctrl and Alt (and Shift, if held) types a character of the
// layout; any other Ctrl+Alt (left Alt with a key that types nothing with it, or any Ctrl
// and Alt on a layout without AltGr) stays what it is.

#include "foundation/key_combination.h"
#include "platform/windows_api.h"

struct HeldKeys {
  KeyCombination code = 0;  // ScanKeyCombination's code
  bool altGr = false;       // AltGr is held: the keys type a character
  bool operator==(const HeldKeys&) const = default;
};

// True while the key or mouse button is held, whichever program has the focus.
bool IsKeyHeld(int virtualKey);

// True when some character of the layout is typed with Ctrl+Alt, that is with AltGr.
// Remembered for the layouts asked before.
bool LayoutHasAltGr(HKL layout);

// The keyboard layout of the program in front, in which the keys held now are typed.
HKL ForegroundKeyboardLayout();

// The keys held now on the whole desktop, with AltGr told apart on the layout of the
// program in front. The layout is asked only while Ctrl and Alt are both held, and scanned
// once for the keys that type with Ctrl+Alt; its answer is kept.
HeldKeys ReadHeldKeys();

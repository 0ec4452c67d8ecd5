#pragma once
// The paste keystroke, sent as another keyboard would type it while the user still holds
// the quick-paste or hot-key modifiers. Ctrl+V sent while Alt is held would arrive as
// Ctrl+Alt+V (another command, and the popup's own hot key), so the held modifiers are
// released first and pressed again afterwards, leaving the key state as the user holds it.
// A lone Alt press or release would open the target's menu bar; each Alt release and each
// Alt press that the user's own release will end is masked by a key that does nothing.
// The system applies typed keys to the key state some time after SendInput returns; the
// last event, the masking key's release, tells when they are through.

#include <cstdint>
#include <vector>

#include "platform/windows_api.h"

// The modifier keys held, each side on its own, as bits.
using ModifierKeys = std::uint8_t;
inline constexpr ModifierKeys kLeftShiftKey = 0x01;
inline constexpr ModifierKeys kRightShiftKey = 0x02;
inline constexpr ModifierKeys kLeftCtrlKey = 0x04;
inline constexpr ModifierKeys kRightCtrlKey = 0x08;
inline constexpr ModifierKeys kLeftAltKey = 0x10;
inline constexpr ModifierKeys kRightAltKey = 0x20;
inline constexpr ModifierKeys kAllModifierKeys = 0x3F;

// A virtual key with no meaning (0xE8 is unassigned), which programs ignore: pressed while
// Alt is down, it keeps the Alt release from opening the menu bar; held at the end of the
// events, it shows that the system has taken them all.
inline constexpr std::uint8_t kMaskKey = 0xE8;

// One keyboard event.
struct KeyStroke {
  std::uint8_t virtualKey = 0;  // a side's own code for a modifier (VK_LCONTROL, ...)
  bool up = false;
  bool extended = false;  // right Ctrl and Alt, Insert: the keys of the extended set
  bool operator==(const KeyStroke&) const = default;
};

// The paste chords.
enum class EPasteChord { kCtrlV, kShiftInsert };

// The events that type `chord` while `held` are down: mask (when an Alt is held), release
// the held modifiers that the chord does not use, press the chord's modifier unless one of
// its kind is held, the key down and up, the modifier up again, the released modifiers
// down again, and the mask pressed and released last. The state at the end is the state
// at the start.
std::vector<KeyStroke> PasteKeystrokes(ModifierKeys held, EPasteChord chord);

// The events that put back the key state that `taken`, the events the system took of one
// or more sequences that each begin with every key of theirs as PasteKeystrokes finds it,
// changed: the keys they pressed and left down are released, last pressed first, and the
// held keys they released are pressed again, last released first. When an Alt pressed
// last has had no key after it, the mask is pressed and released last, as in
// PasteKeystrokes. Empty when the state is as it was.
std::vector<KeyStroke> UndoKeystrokes(const std::vector<KeyStroke>& taken);

// The modifier keys held now on the whole desktop (GetAsyncKeyState).
ModifierKeys ReadHeldModifiers();

// Sends PasteKeystrokes for the modifiers held now, with the scan codes of the keyboard
// layout `layout`: all but the last as one SendInput, so that no key the user presses or
// releases comes between them; once the masking key reads as held the system has taken
// them, and the last (its release) follows the same way. Returns when the key state shows
// the user's keys again, or after a bounded wait (a slow low-level hook of another program
// can hold the keys up). False when the system did not take them all or did not apply them
// in time. Of a sequence that the system cut short (it blocks input meant for an elevated
// program), what it did take is undone (UndoKeystrokes), so that no key stays held that the
// user does not hold, and the user's own modifiers are held again.
bool SendPasteKeystrokes(EPasteChord chord, HKL layout);

// Presses and releases Alt, masked, as the user's Alt+Tab does: the system then lets the
// next SetForegroundWindow through. Whatever of it the system takes is undone should it not
// take it all.
void TapMaskedAlt();

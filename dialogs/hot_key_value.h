#pragma once
// The hot-key control's value at the control's edge. The system's hot-key control keeps a
// virtual key in its low byte and its own modifier flags in the high byte (HOTKEYF_SHIFT 1,
// HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8); the program keeps a KeyCombination
// (Shift 0x2000, Ctrl 0x4000, Alt 0x8000). The settings dialog and the hot key dialog
// convert here, when they fill and read the control, so that nothing else sees the
// control's flags. Ctrl+Alt+V is 0x0656 in the control and 0xC056 as a KeyCombination.

#include <cstdint>

#include "foundation/key_combination.h"

inline constexpr std::uint8_t kHotKeyControlFlagShift = 0x01;
inline constexpr std::uint8_t kHotKeyControlFlagCtrl = 0x02;
inline constexpr std::uint8_t kHotKeyControlFlagAlt = 0x04;
// The extended-key flag (right-hand keys, arrows on the keypad block) has no place in a
// KeyCombination and is dropped.
inline constexpr std::uint8_t kHotKeyControlFlagExtended = 0x08;

#ifdef HOTKEYF_SHIFT
static_assert(kHotKeyControlFlagShift == HOTKEYF_SHIFT &&
              kHotKeyControlFlagCtrl == HOTKEYF_CONTROL && kHotKeyControlFlagAlt == HOTKEYF_ALT &&
              kHotKeyControlFlagExtended == HOTKEYF_EXT);
#endif

// The KeyCombination of a value read from the control (HKM_GETHOTKEY).
constexpr KeyCombination KeyCombinationFromHotKeyControl(std::uint16_t controlValue) {
  const unsigned flags = controlValue >> 8;
  unsigned keys = controlValue & 0xFFu;
  if (flags & kHotKeyControlFlagShift) keys |= kKeyShift;
  if (flags & kHotKeyControlFlagCtrl) keys |= kKeyCtrl;
  if (flags & kHotKeyControlFlagAlt) keys |= kKeyAlt;
  return static_cast<KeyCombination>(keys);
}

// The control's value (HKM_SETHOTKEY) of a KeyCombination. Bits that are neither a
// modifier nor the key's byte (0x0100 to 0x1F00) have no place in the control and are
// dropped.
constexpr std::uint16_t HotKeyControlValueFromKeyCombination(KeyCombination keys) {
  unsigned flags = 0;
  if (keys & kKeyShift) flags |= kHotKeyControlFlagShift;
  if (keys & kKeyCtrl) flags |= kHotKeyControlFlagCtrl;
  if (keys & kKeyAlt) flags |= kHotKeyControlFlagAlt;
  return static_cast<std::uint16_t>(flags << 8 | (keys & 0xFFu));
}

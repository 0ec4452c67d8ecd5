#pragma once
// The rules of the hot key dialog (THotKeyForm), in which the user gives a clip its own hot
// key: its control refuses keys without any modifier, adding Alt to a key typed alone; it
// opens on the clip's hot key (0, an empty control, for none); OK returns the control's
// value (0 again meaning none), anything else returns nothing and changes nothing.

#include <cstdint>
#include <optional>

#include "dialogs/hot_key_value.h"
#include "foundation/key_combination.h"

// HKCOMB_NONE: a key without any modifier.
inline constexpr std::uint16_t kHotKeyFormInvalidCombinations = 0x0001;
inline constexpr std::uint8_t kHotKeyFormReplacementModifiers = kHotKeyControlFlagAlt;

inline std::optional<KeyCombination> HotKeyFormResult(bool confirmed, KeyCombination value) {
  if (!confirmed) return std::nullopt;
  return value;
}

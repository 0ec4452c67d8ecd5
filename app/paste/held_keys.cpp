#include "app/paste/held_keys.h"

#include <array>
#include <bitset>
#include <utility>

bool IsKeyHeld(int virtualKey) {
  return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

namespace {

// The characters where layouts put AltGr: Latin-1 and Latin Extended-A and -B (the
// brackets, "@", the letters with marks of Central European layouts), Greek and Cyrillic,
// the typographic quotes and dashes, and the currency signs.
constexpr std::pair<char16_t, char16_t> kAltGrCharacterRanges[] = {
    {0x0020, 0x024F}, {0x0370, 0x04FF}, {0x2010, 0x205E}, {0x20A0, 0x20C0}};
// VkKeyScanEx's shift states.
constexpr int kShiftStateShift = 0x01;
constexpr int kShiftStateCtrlAlt = 0x06;

// The keys that type a character of one layout with Ctrl+Alt, by virtual-key code, without
// and with Shift.
struct CAltGrKeys {
  HKL layout = nullptr;
  std::bitset<256> plain;
  std::bitset<256> shifted;

  bool Any() const { return plain.any() || shifted.any(); }
};

CAltGrKeys ScanLayoutForAltGr(HKL layout) {
  CAltGrKeys keys;
  keys.layout = layout;
  for (const auto& [first, last] : kAltGrCharacterRanges) {
    for (char16_t character = first; character <= last; ++character) {
      const SHORT key = VkKeyScanExW(static_cast<WCHAR>(character), layout);
      if (key == -1) continue;
      const int shiftState = (key >> 8) & 0xFF;
      if ((shiftState & ~kShiftStateShift) != kShiftStateCtrlAlt) continue;
      auto& typing = (shiftState & kShiftStateShift) != 0 ? keys.shifted : keys.plain;
      typing.set(static_cast<std::size_t>(key & 0xFF));
    }
  }
  return keys;
}

// A user has a few layouts at most; the oldest answer makes room for a new one.
const CAltGrKeys& AltGrKeysOf(HKL layout) {
  static std::array<CAltGrKeys, 8> known{};
  static std::size_t next = 0;
  for (const CAltGrKeys& entry : known) {
    if (entry.layout == layout && layout != nullptr) return entry;
  }
  CAltGrKeys& entry = known[next];
  next = (next + 1) % known.size();
  entry = ScanLayoutForAltGr(layout);
  return entry;
}

}  // namespace

bool LayoutHasAltGr(HKL layout) {
  return AltGrKeysOf(layout).Any();
}

HKL ForegroundKeyboardLayout() {
  return GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
}

HeldKeys ReadHeldKeys() {
  HeldKeys held{ScanKeyCombination(), false};
  const KeyCombination ctrlAlt = kKeyCtrl | kKeyAlt;
  if ((held.code & ctrlAlt) != ctrlAlt) return held;
  const CAltGrKeys& layout = AltGrKeysOf(ForegroundKeyboardLayout());
  if (!layout.Any()) return held;
  // The system types the layout's character for any Ctrl+Alt, whichever the sides.
  const auto& typing = (held.code & kKeyShift) != 0 ? layout.shifted : layout.plain;
  const bool rightAltAlone = IsKeyHeld(VK_RMENU) && !IsKeyHeld(VK_LMENU);
  held.altGr = rightAltAlone || typing.test(held.code & 0xFF);
  return held;
}

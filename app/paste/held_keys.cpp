#include "app/paste/held_keys.h"

#include <array>
#include <utility>

bool IsKeyHeld(int virtualKey) {
  return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

namespace {

// The characters where layouts put AltGr: Latin-1 and Latin Extended-A and -B (the
// brackets, "@", the letters with marks of Central European layouts) and the euro sign.
constexpr std::pair<char16_t, char16_t> kAltGrCharacterRanges[] = {{0x0020, 0x024F},
                                                                   {0x20AC, 0x20AC}};
constexpr int kShiftStateCtrlAlt = 0x06;

bool ScanLayoutForAltGr(HKL layout) {
  for (const auto& [first, last] : kAltGrCharacterRanges) {
    for (char16_t character = first; character <= last; ++character) {
      const SHORT key = VkKeyScanExW(static_cast<WCHAR>(character), layout);
      if (key != -1 && ((key >> 8) & kShiftStateCtrlAlt) == kShiftStateCtrlAlt) return true;
    }
  }
  return false;
}

}  // namespace

bool LayoutHasAltGr(HKL layout) {
  // A user has a few layouts at most; the oldest answer makes room for a new one.
  struct Known {
    HKL layout = nullptr;
    bool altGr = false;
  };
  static std::array<Known, 8> known{};
  static std::size_t next = 0;
  for (const Known& entry : known) {
    if (entry.layout == layout && layout != nullptr) return entry.altGr;
  }
  const bool altGr = ScanLayoutForAltGr(layout);
  known[next] = {layout, altGr};
  next = (next + 1) % known.size();
  return altGr;
}

HKL ForegroundKeyboardLayout() {
  return GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
}

HeldKeys ReadHeldKeys() {
  HeldKeys held{ScanKeyCombination(), false};
  const KeyCombination ctrlAlt = kKeyCtrl | kKeyAlt;
  if ((held.code & ctrlAlt) == ctrlAlt && IsKeyHeld(VK_RMENU) && !IsKeyHeld(VK_LMENU)) {
    held.altGr = LayoutHasAltGr(ForegroundKeyboardLayout());
  }
  return held;
}
